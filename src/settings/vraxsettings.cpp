#include "settings/vraxsettings.h"
