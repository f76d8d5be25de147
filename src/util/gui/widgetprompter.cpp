#include "util/gui/widgetprompter.h"
