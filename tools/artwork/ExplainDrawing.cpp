#include "tools/artwork/ExplainDrawing.h"
