#include "app/core/log.h"
