#include "quiver/measures.h"
