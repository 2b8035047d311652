#include "files/size_limit_signal.h"

#include <csignal>

namespace sw {

void reportFileSizeLimitAsError()
{
    // Ignored, SIGXFSZ lets write() fail with EFBIG.
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace sw
