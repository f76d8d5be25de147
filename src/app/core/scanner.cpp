#include "app/core/scanner.h"
