#include "platform/files/FileSizeLimit.h"

namespace corvane {

// Windows has no file-size signal: a write past a quota fails like any other.
void TreatFileSizeLimitAsWriteError() {}

} // namespace corvane
