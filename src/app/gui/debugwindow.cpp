#include "app/gui/debugwindow.h"
