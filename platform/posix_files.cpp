#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "platform/platform.h"
#include "platform/posix_file.h"
#include "platform/posix_error.h"

struct PlatformOutput {
    int descriptor;
    std::string temporary;
    std::string path;
};

namespace {

bool write_all(int descriptor, const void* bytes, size_t count) {
    const auto* at = static_cast<const unsigned char*>(bytes);
    while (count > 0) {
        ssize_t done = write(descriptor, at, count < IO_CHUNK ? count : IO_CHUNK);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) {
            posix_fail_errno(done < 0 ? errno : EIO);
            return false;
        }
        at += done;
        count -= static_cast<size_t>(done);
    }
    return true;
}

std::string folder_of(const char* path) {
    const char* last = std::strrchr(path, '/');
    if (last == nullptr) return ".";
    if (last == path) return "/";
    return std::string(path, static_cast<size_t>(last - path));
}

// A hidden name in the target's folder that no other file holds yet; -1 when none can be made.
int create_temporary(const std::string& folder, std::string& name) {
    // Threads converting files of one folder at once each draw their own numbers.
    static std::atomic<unsigned> counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/.tessaline-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".tmp";
        int descriptor = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) {
            if (descriptor < 0) posix_fail_errno(errno);
            return descriptor;
        }
    }
    posix_fail("no free name for a temporary file");
    return -1;
}

}  // namespace

PlatformFile* platform_open_existing(const char* path, uint64_t* size) {
    int descriptor = open(path, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        posix_fail_errno(errno);
        return nullptr;
    }
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        if (S_ISDIR(status.st_mode)) posix_fail("it is a folder, not a file");
        else posix_fail("it is not a regular file");
        close(descriptor);
        return nullptr;
    }
    *size = static_cast<uint64_t>(status.st_size);
    return new PlatformFile{descriptor};
}

bool platform_read_exact(PlatformFile* file, void* into, size_t count) {
    auto* at = static_cast<unsigned char*>(into);
    while (count > 0) {
        ssize_t done = read(file->descriptor, at, count < IO_CHUNK ? count : IO_CHUNK);
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) {
            posix_fail_errno(errno);
            return false;
        }
        if (done == 0) {
            posix_fail("the file ended before its reported size");
            return false;
        }
        at += done;
        count -= static_cast<size_t>(done);
    }
    return true;
}

void platform_close(PlatformFile* file) {
    close(file->descriptor);
    delete file;
}

bool platform_create_folder(const char* path) {
    if (mkdir(path, 0777) == 0) return true;
    int error = errno;
    if (error == EEXIST) {
        if (platform_is_folder(path)) return true;
        posix_fail("a file of that name is in the way");
        return false;
    }
    posix_fail_errno(error);
    return false;
}

PlatformOutput* platform_begin_output(const char* path) {
    std::string temporary;
    int descriptor = create_temporary(folder_of(path), temporary);
    if (descriptor < 0) return nullptr;
    return new PlatformOutput{descriptor, temporary, path};
}

bool platform_write_output(PlatformOutput* output, const void* bytes, size_t count) {
    return write_all(output->descriptor, bytes, count);
}

bool platform_commit_output(PlatformOutput* output) {
    // The data must be on the disk before the rename makes it the file's only content.
    bool written = true;
    if (fsync(output->descriptor) != 0) {
        posix_fail_errno(errno);
        written = false;
    }
    if (close(output->descriptor) != 0 && written) {
        posix_fail_errno(errno);
        written = false;
    }
    if (written && rename(output->temporary.c_str(), output->path.c_str()) != 0) {
        posix_fail_errno(errno);
        written = false;
    }
    if (!written) unlink(output->temporary.c_str());
    delete output;
    return written;
}

void platform_abandon_output(PlatformOutput* output) {
    close(output->descriptor);
    unlink(output->temporary.c_str());
    delete output;
}

bool platform_replace_file(const char* path, const void* bytes, size_t count) {
    PlatformOutput* output = platform_begin_output(path);
    if (output == nullptr) return false;
    if (platform_write_output(output, bytes, count)) return platform_commit_output(output);
    platform_abandon_output(output);
    return false;
}

bool platform_write_stdout(const void* bytes, size_t count) {
    std::fflush(stdout);
    return write_all(STDOUT_FILENO, bytes, count);
}

bool platform_write(PlatformFile* file, const void* bytes, size_t count) {
    return write_all(file->descriptor, bytes, count);
}
