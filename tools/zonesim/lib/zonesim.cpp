#include "zonesim.h"
