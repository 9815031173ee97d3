#include <errno.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/posix_error.h"

namespace tessaline {

namespace {

// Each thread of a batch keeps its own, so one file's failure is not told as another's.
thread_local char error_text[256] = "no error";
thread_local PlatformErrorKind error_kind = PlatformErrorKind::other;

struct KindOfErrno {
    int error;
    PlatformErrorKind kind;
};

const KindOfErrno kinds_of_errno[] = {
    {ENOENT, PlatformErrorKind::missing},       {EACCES, PlatformErrorKind::no_permission},
    {EPERM, PlatformErrorKind::no_permission},  {ENOTDIR, PlatformErrorKind::not_a_folder},
    {EISDIR, PlatformErrorKind::is_a_folder},   {ENAMETOOLONG, PlatformErrorKind::name_too_long},
    {ENOSPC, PlatformErrorKind::no_space},      {EDQUOT, PlatformErrorKind::no_space},
    {EROFS, PlatformErrorKind::read_only},      {ELOOP, PlatformErrorKind::link_loop},
    {ETXTBSY, PlatformErrorKind::in_use},       {EBUSY, PlatformErrorKind::in_use},
    {EEXIST, PlatformErrorKind::in_the_way},    {EIO, PlatformErrorKind::io_error},
    {ENOMEM, PlatformErrorKind::out_of_memory}, {EMFILE, PlatformErrorKind::too_many_open},
    {ENFILE, PlatformErrorKind::too_many_open},
};

// The layer's own failures, each with its English words.
struct OwnWording {
    PlatformErrorKind kind;
    const char* text;
};

const OwnWording own_wordings[] = {
    {PlatformErrorKind::is_a_folder, "it is a folder, not a file"},
    {PlatformErrorKind::fifo, "it is a FIFO (named pipe), not a regular file"},
    {PlatformErrorKind::device, "it is a device, not a regular file"},
    {PlatformErrorKind::socket, "it is a socket, not a regular file"},
    {PlatformErrorKind::not_regular, "it is not a regular file"},
    {PlatformErrorKind::in_the_way, "a file of that name is in the way"},
    {PlatformErrorKind::ended_early, "the file ended before its reported size"},
    {PlatformErrorKind::no_temporary_name, "no free name for a temporary file"},
};

void keep_text(const char* text) {
    std::strncpy(error_text, text, sizeof error_text - 1);
    error_text[sizeof error_text - 1] = 0;
}

}  // namespace

char platform_separator() { return '/'; }

bool platform_is_separator(char c) { return c == '/'; }

const char* platform_error_text() { return error_text; }

PlatformErrorKind platform_error_kind() { return error_kind; }

// strerror speaks English here: the program never sets the C library's locale.
PlatformErrorKind platform_error_kind_of(const char* text) {
    for (const OwnWording& wording : own_wordings)
        if (std::strcmp(wording.text, text) == 0) return wording.kind;
    for (const KindOfErrno& entry : kinds_of_errno)
        if (std::strcmp(std::strerror(entry.error), text) == 0) return entry.kind;
    return PlatformErrorKind::other;
}

void posix_fail_errno(int error) {
    keep_text(std::strerror(error));
    error_kind = PlatformErrorKind::other;
    for (const KindOfErrno& entry : kinds_of_errno)
        if (entry.error == error) error_kind = entry.kind;
}

void posix_fail(PlatformErrorKind kind) {
    error_kind = kind;
    for (const OwnWording& wording : own_wordings)
        if (wording.kind == kind) keep_text(wording.text);
}

}  // namespace tessaline
