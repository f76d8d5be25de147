#include "util/stringsort.h"
