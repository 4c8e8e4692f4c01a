#include "SyncToDisk.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace corvane {

bool SyncToDisk(int fileHandle) {
    if (fileHandle < 0) {
        return false;
    }
#ifdef _WIN32
    return _commit(fileHandle) == 0;
#else
    return fsync(fileHandle) == 0;
#endif
}

} // namespace corvane
