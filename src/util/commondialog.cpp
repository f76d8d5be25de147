#include "util/commondialog.h"
