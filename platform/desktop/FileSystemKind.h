#pragma once

#include <QString>

namespace corvane {

// Whether this machine's change notifications see every change to what `folder` holds. They do
// not on network file systems (NFS, SMB/CIFS, AFS, Ceph, 9p, ...) and on FUSE mounts (sshfs,
// bindfs, ...): a change made by another machine, or behind the mount, never reaches them. A
// folder that cannot be looked at counts as seen.
bool NotificationsSeeEveryChange(const QString& folder);

} // namespace corvane
