#include "files/standard_streams.h"

#include <fcntl.h>
#include <io.h>

namespace sw {

void occupyClosedStandardDescriptors()
{
    // A program started without a console has no standard streams: NUL stands in, so a file
    // opened later never takes their numbers.
    for (int fd = 0; fd <= 2; ++fd) {
        if (::_get_osfhandle(fd) != -1)
            continue;
        const int opened = ::_open("NUL", _O_RDONLY);
        if (opened >= 0 && opened != fd) {
            ::_dup2(opened, fd);
            ::_close(opened);
        }
    }
}

} // namespace sw
