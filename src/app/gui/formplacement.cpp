#include "app/gui/formplacement.h"
