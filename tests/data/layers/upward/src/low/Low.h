#pragma once
// A header of the lower layer that reaches up: the one fault here.
#include "high/High.h"
#include "low/Other.h"
#include <vector>
