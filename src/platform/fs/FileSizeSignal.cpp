#include "platform/fs/FileSizeSignal.h"

#include <signal.h>

namespace pfs {

void IgnoreFileSizeSignal() {
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
        ::signal(SIGXFSZ, SIG_IGN);
    }
}

}  // namespace pfs
