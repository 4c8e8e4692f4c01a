#pragma once

namespace corvane {

// Asks the operating system to write the open file's data through to the disk.
bool SyncToDisk(int fileHandle);

} // namespace corvane
