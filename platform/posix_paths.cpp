#include <errno.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/posix_error.h"

namespace {

char error_text[256] = "no error";
PlatformErrorKind error_kind = PlatformErrorKind::other;

struct KindOfErrno {
    int error;
    PlatformErrorKind kind;
};

const KindOfErrno KINDS_OF_ERRNO[] = {
    {ENOENT, PlatformErrorKind::missing},       {EACCES, PlatformErrorKind::no_permission},
    {EPERM, PlatformErrorKind::no_permission},  {ENOTDIR, PlatformErrorKind::not_a_folder},
    {EISDIR, PlatformErrorKind::is_a_folder},   {ENAMETOOLONG, PlatformErrorKind::name_too_long},
    {ENOSPC, PlatformErrorKind::no_space},      {EDQUOT, PlatformErrorKind::no_space},
    {EROFS, PlatformErrorKind::read_only},      {ELOOP, PlatformErrorKind::link_loop},
    {ETXTBSY, PlatformErrorKind::in_use},       {EBUSY, PlatformErrorKind::in_use},
    {EEXIST, PlatformErrorKind::in_the_way},
};

// The layer's own failures in English; the system's come from strerror.
const char* own_text(PlatformErrorKind kind) {
    switch (kind) {
    case PlatformErrorKind::is_a_folder: return "it is a folder, not a file";
    case PlatformErrorKind::fifo: return "it is a FIFO (named pipe), not a regular file";
    case PlatformErrorKind::device: return "it is a device, not a regular file";
    case PlatformErrorKind::socket: return "it is a socket, not a regular file";
    case PlatformErrorKind::in_the_way: return "a file of that name is in the way";
    case PlatformErrorKind::ended_early: return "the file ended before its reported size";
    case PlatformErrorKind::no_temporary_name: return "no free name for a temporary file";
    default: return "it is not a regular file";
    }
}

void keep_text(const char* text) {
    std::strncpy(error_text, text, sizeof error_text - 1);
    error_text[sizeof error_text - 1] = 0;
}

}  // namespace

char platform_separator() { return '/'; }

bool platform_is_separator(char c) { return c == '/'; }

const char* platform_error_text() { return error_text; }

PlatformErrorKind platform_error_kind() { return error_kind; }

void posix_fail_errno(int error) {
    keep_text(std::strerror(error));
    error_kind = PlatformErrorKind::other;
    for (const KindOfErrno& entry : KINDS_OF_ERRNO)
        if (entry.error == error) error_kind = entry.kind;
}

void posix_fail(PlatformErrorKind kind) {
    keep_text(own_text(kind));
    error_kind = kind;
}
