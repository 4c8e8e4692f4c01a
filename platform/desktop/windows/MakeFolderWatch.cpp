#include "platform/desktop/FolderWatch.h"

#include "platform/desktop/PollingFolderWatch.h"
#include "platform/desktop/windows/WindowsFolderWatch.h"

namespace corvane {

std::unique_ptr<FolderWatch> MakeFolderWatch() {
    return std::make_unique<PollingFolderWatch>(std::make_unique<WindowsFolderWatch>());
}

} // namespace corvane
