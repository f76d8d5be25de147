#include "util/gui/hourglass.h"
