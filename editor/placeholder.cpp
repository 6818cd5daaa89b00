#include "world/world.h"
