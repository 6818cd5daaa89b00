#include "present/display.h"
