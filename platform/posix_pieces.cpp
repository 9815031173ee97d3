#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "platform/platform.h"
#include "platform/posix_error.h"
#include "platform/posix_file.h"

namespace tessaline {

namespace {

std::string temporary_folder() {
    const char* folder = getenv("TMPDIR");
    return folder != nullptr && folder[0] != 0 ? folder : "/tmp";
}

}  // namespace

bool platform_read_some(PlatformFile* file, void* into, size_t count, size_t* done) {
    for (;;) {
        ssize_t got = read(file->descriptor, into, count < io_chunk ? count : io_chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            posix_fail_errno(errno);
            return false;
        }
        *done = static_cast<size_t>(got);
        return true;
    }
}

bool platform_rewind(PlatformFile* file) {
    if (lseek(file->descriptor, 0, SEEK_SET) == 0) return true;
    posix_fail_errno(errno);
    return false;
}

PlatformFile* platform_open_stdin() {
    int descriptor = fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0);
    if (descriptor < 0) {
        posix_fail_errno(errno);
        return nullptr;
    }
    return new PlatformFile{descriptor};
}

PlatformFile* platform_open_spool() {
    std::string name = temporary_folder() + "/tessaline-spool-XXXXXX";
    int descriptor = mkstemp(name.data());
    if (descriptor < 0) {
        posix_fail_errno(errno);
        return nullptr;
    }
    // Without a name the file goes as soon as its descriptor closes, however the program ends.
    unlink(name.c_str());
    fcntl(descriptor, F_SETFD, FD_CLOEXEC);
    return new PlatformFile{descriptor};
}

}  // namespace tessaline
