#include "platform/core/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace sorban::platform {

int openRegularFile(const std::filesystem::path& path, struct stat& info)
{
    // Non-blocking, so that a FIFO without a writer cannot hold the open.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        errno = ENOENT;
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace sorban::platform
