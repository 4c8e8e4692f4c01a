#pragma once

namespace corvane {

// What became of a path sent to the recycle bin.
enum class RecycleOutcome {
    Moved,
    Missing,    // nothing was there any more
    UnsafeBin,  // the disk's bin is a link, not a folder, someone else's, or others may write in it
    NoBin,      // no bin could be made or opened on that disk
    NotAllowed, // the entry may not be moved: a read-only folder or disk, missing rights
    DiskFull,   // no room for the bin's record of the entry
    Failed,     // refused for another reason
};

} // namespace corvane
