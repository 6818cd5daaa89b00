#include "shell/form.h"
