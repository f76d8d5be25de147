#include "app/gui/resourcepicture.h"
