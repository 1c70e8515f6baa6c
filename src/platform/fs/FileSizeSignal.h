#pragma once

namespace pfs {

// Makes a write beyond the file-size limit fail with EFBIG, which a save
// reports, instead of killing the program with SIGXFSZ. A handler the host
// program installed is kept.
void IgnoreFileSizeSignal();

}  // namespace pfs
