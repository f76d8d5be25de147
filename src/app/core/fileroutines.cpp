#include "app/core/fileroutines.h"
