#include "util/copyfile.h"
