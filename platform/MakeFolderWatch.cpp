#include "platform/FolderWatch.h"

#include "platform/InotifyFolderWatch.h"

namespace corvane {

std::unique_ptr<FolderWatch> MakeFolderWatch() {
    return std::make_unique<InotifyFolderWatch>();
}

} // namespace corvane
