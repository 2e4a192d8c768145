#include "progression.h"
