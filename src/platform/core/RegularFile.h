#pragma once

#include <filesystem>
#include <sys/stat.h>

namespace sorban::platform {

/// Opens `path` for reading only when it is a regular file (or a symbolic link to one), and fills
/// `info` with its status. A FIFO, a device or a folder is never opened (opening a FIFO would wait
/// for a writer forever), so it reads as a missing file: the result is then -1, as when the file
/// cannot be opened at all. The caller closes the descriptor.
int openRegularFile(const std::filesystem::path& path, struct stat& info);

} // namespace sorban::platform
