// A core file that includes the Qt helpers above the core.
#include "ui/QtText.h"
