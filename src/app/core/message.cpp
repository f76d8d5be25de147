#include "app/core/message.h"
