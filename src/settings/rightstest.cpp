#include "settings/rightstest.h"
