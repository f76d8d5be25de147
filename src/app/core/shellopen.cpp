#include "app/core/shellopen.h"
