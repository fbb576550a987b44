#pragma once

// Counts this process's open file descriptors, so a test can tell that a command closed
// every file it opened, on every path.

#include <dirent.h>

namespace testsupport {

inline int openDescriptorCount() {
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir))
            ++count;
        ::closedir(dir);
    }
    return count;
}

} // namespace testsupport
