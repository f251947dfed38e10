#pragma once
// A header of the higher layer.
#include "low/Low.h"
