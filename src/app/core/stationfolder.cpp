#include "app/core/stationfolder.h"
