#pragma once

namespace corvane {

// Under a file-size limit the system ends a process whose write crosses it. Once this has run, such
// a write fails with an error instead, and the save that made it reports the failure.
void TreatFileSizeLimitAsWriteError();

} // namespace corvane
