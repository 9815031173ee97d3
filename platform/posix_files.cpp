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
#include "platform/posix_error.h"
#include "platform/posix_file.h"
#include "platform/posix_signals.h"

namespace tessaline {

struct PlatformOutput {
    int descriptor;
    std::string temporary;
    std::string path;
    std::string permissions_of;  // empty: none to copy
    int signal_slot;
};

namespace {

// A result is readable by its owner alone until it has the permission bits it is meant to have.
constexpr mode_t private_file = 0600;

// The bits a file's permissions are copied with: not set-user-ID, set-group-ID or sticky.
constexpr mode_t permission_bits = 0777;

bool write_all(int descriptor, const void* bytes, size_t count) {
    const auto* at = static_cast<const unsigned char*>(bytes);
    while (count > 0) {
        ssize_t done = write(descriptor, at, count < io_chunk ? count : io_chunk);
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

// A hidden file in the target's folder under a name no other file holds yet, known to the signal
// handler before it exists; -1 when none can be made.
int create_temporary(const std::string& folder, std::string& name, int& signal_slot) {
    // Threads converting files of one folder at once each draw their own numbers.
    static std::atomic<unsigned> counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/.tessaline-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".tmp";
        signal_slot = posix_hold_temporary(name.c_str());
        int descriptor = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, private_file);
        if (descriptor >= 0) return descriptor;
        int error = errno;
        posix_release_temporary(signal_slot);
        if (error != EEXIST) {
            posix_fail_errno(error);
            return -1;
        }
    }
    posix_fail(PlatformErrorKind::no_temporary_name);
    return -1;
}

PlatformErrorKind kind_of_mode(mode_t mode) {
    if (S_ISDIR(mode)) return PlatformErrorKind::is_a_folder;
    if (S_ISFIFO(mode)) return PlatformErrorKind::fifo;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return PlatformErrorKind::device;
    if (S_ISSOCK(mode)) return PlatformErrorKind::socket;
    return PlatformErrorKind::not_regular;
}

bool fail_unless_regular(mode_t mode) {
    if (S_ISREG(mode)) return true;
    posix_fail(kind_of_mode(mode));
    return false;
}

// The mode of the file the result copies its permissions from; false when there is none.
bool result_mode(const std::string& permissions_of, mode_t& mode) {
    struct stat status {};
    if (permissions_of.empty() || stat(permissions_of.c_str(), &status) != 0) return false;
    mode = status.st_mode & permission_bits;
    return true;
}

bool finish_file(const PlatformOutput& output) {
    mode_t mode = 0;
    if (result_mode(output.permissions_of, mode) && fchmod(output.descriptor, mode) != 0) {
        posix_fail_errno(errno);
        return false;
    }
    // The data must be on the disk before the rename makes it the file's only content.
    if (fsync(output.descriptor) != 0) {
        posix_fail_errno(errno);
        return false;
    }
    return true;
}

void release(PlatformOutput* output) {
    posix_release_temporary(output->signal_slot);
    delete output;
}

}  // namespace

PlatformFile* platform_open_existing(const char* path, uint64_t* size) {
    // The type is known before the file is opened: opening a FIFO would wait for a writer, and
    // opening a device may act on it.
    struct stat status {};
    if (stat(path, &status) != 0) {
        posix_fail_errno(errno);
        return nullptr;
    }
    if (!fail_unless_regular(status.st_mode)) return nullptr;
    // Should the name have been swapped for something else since, it is still not waited on.
    int descriptor = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0) {
        posix_fail_errno(errno);
        return nullptr;
    }
    if (fstat(descriptor, &status) != 0 || !fail_unless_regular(status.st_mode)) {
        if (S_ISREG(status.st_mode)) posix_fail_errno(errno);
        close(descriptor);
        return nullptr;
    }
    fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    *size = static_cast<uint64_t>(status.st_size);
    return new PlatformFile{descriptor};
}

bool platform_read_exact(PlatformFile* file, void* into, size_t count) {
    auto* at = static_cast<unsigned char*>(into);
    while (count > 0) {
        ssize_t done = read(file->descriptor, at, count < io_chunk ? count : io_chunk);
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) {
            posix_fail_errno(errno);
            return false;
        }
        if (done == 0) {
            posix_fail(PlatformErrorKind::ended_early);
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
        posix_fail(PlatformErrorKind::in_the_way);
        return false;
    }
    posix_fail_errno(error);
    return false;
}

PlatformOutput* platform_begin_output(const char* path, const char* permissions_of) {
    std::string temporary;
    int slot = -1;
    int descriptor = create_temporary(folder_of(path), temporary, slot);
    if (descriptor < 0) return nullptr;
    return new PlatformOutput{descriptor, temporary, path, permissions_of != nullptr ? permissions_of : "", slot};
}

bool platform_write_output(PlatformOutput* output, const void* bytes, size_t count) {
    return write_all(output->descriptor, bytes, count);
}

bool platform_commit_output(PlatformOutput* output) {
    bool written = finish_file(*output);
    if (close(output->descriptor) != 0 && written) {
        posix_fail_errno(errno);
        written = false;
    }
    if (written && rename(output->temporary.c_str(), output->path.c_str()) != 0) {
        posix_fail_errno(errno);
        written = false;
    }
    if (!written) unlink(output->temporary.c_str());
    release(output);
    return written;
}

void platform_abandon_output(PlatformOutput* output) {
    close(output->descriptor);
    unlink(output->temporary.c_str());
    release(output);
}

bool platform_replace_file(const char* path, const void* bytes, size_t count) {
    PlatformOutput* output = platform_begin_output(path, nullptr);
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

}  // namespace tessaline
