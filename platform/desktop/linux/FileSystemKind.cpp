#include "platform/desktop/FileSystemKind.h"

#include "platform/files/NativeNames.h"

#include <sys/vfs.h>

#include <algorithm>
#include <array>

namespace corvane {

namespace {

// The kinds of file system, as statfs names them, whose changes can be made where this
// machine's notifications do not look.
constexpr std::array<unsigned long, 17> kKindsChangedElsewhere{
    0x6969,     // NFS
    0x517B,     // SMB
    0xFF534D42, // CIFS
    0xFE534D42, // SMB2
    0x65735546, // FUSE: sshfs, bindfs, rclone, gvfs, ...
    0x564C,     // NCP
    0x5346414F, // AFS
    0x6B414653, // kAFS
    0x00C36400, // Ceph
    0x01021997, // 9p
    0x73757245, // Coda
    0x01161970, // GFS2
    0x7461636F, // OCFS2
    0x0BD00BD0, // Lustre
    0x786F4256, // VirtualBox shared folders
    0x47504653, // GPFS
    0xAAD7AAEA, // PanFS
};

} // namespace

bool NotificationsSeeEveryChange(const QString& folder) {
    struct statfs status {};
    if (statfs(NativeName(folder).constData(), &status) != 0) {
        return true;
    }
    const auto kind = static_cast<unsigned long>(status.f_type) & 0xFFFFFFFFUL;
    return std::find(kKindsChangedElsewhere.begin(), kKindsChangedElsewhere.end(), kind) ==
           kKindsChangedElsewhere.end();
}

} // namespace corvane
