#include "files/size_limit_signal.h"

namespace sw {

void reportFileSizeLimitAsError()
{
    // Windows has no file size limit of a process: a write past what the disk holds fails as
    // any failed write does.
}

} // namespace sw
