#include "settings/registry.h"
