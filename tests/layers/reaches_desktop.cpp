// Built only by the layering tests: a lower layer reaching for a header of the desktop's.
#include "platform/files/NativeNames.h"

#include "platform/desktop/Desktop.h"
