#include "app/core/resources.h"
