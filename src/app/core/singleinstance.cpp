#include "app/core/singleinstance.h"
