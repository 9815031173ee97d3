#pragma once

#include <cstddef>
#include <cstdint>

namespace tessaline {

// File, folder, terminal and code-page services of the operating system. A POSIX implementation
// (iconv) and a Win32 one provide exactly these; nothing above this layer includes an OS header.
// Paths are NUL-terminated byte strings as the system takes them (CP949 on Windows).

// --- Paths ---

// The separator written between a folder and a name: '/' on POSIX, '\\' on Windows.
char platform_separator();
// Whether a path byte separates folders: '/' on POSIX; '\\' and '/' on Windows.
bool platform_is_separator(char c);

// --- Errors ---

// A short English description of why the last failed call of this layer failed, such as
// "No such file or directory". Valid until the next call of this layer on the same thread.
const char* platform_error_text();

// The same failure (on the same thread) as a kind, so that a program can explain it in the
// user's language; `other` when only platform_error_text() describes it.
enum class PlatformErrorKind {
    other,
    missing,
    no_permission,
    not_a_folder,
    is_a_folder,
    name_too_long,
    no_space,
    read_only,
    link_loop,
    in_use,
    io_error,
    out_of_memory,
    too_many_open,
    fifo,
    device,
    socket,
    not_regular,
    in_the_way,
    ended_early,
    no_temporary_name,
};
PlatformErrorKind platform_error_kind();

// The kind of a failure this layer described in the English words of platform_error_text(), so
// that a reason told on another thread can still be explained; `other` for words it never uses.
PlatformErrorKind platform_error_kind_of(const char* text);

// --- Reading files ---

struct PlatformFile;

// Opens an existing regular file for reading and reports its size; nullptr when it cannot be
// opened. Anything else (a folder, a FIFO, a device, a socket) is refused by its type without
// being waited on, and the error kind says what it is.
PlatformFile* platform_open_existing(const char* path, uint64_t* size);
// Reads exactly `count` bytes; false on an error or a short read.
bool platform_read_exact(PlatformFile* file, void* into, size_t count);
void platform_close(PlatformFile* file);

// Reads what is there, up to `count` bytes: *done is 0 only at the end of the file. False on an
// error. A file is read this way to its end, whatever size it reported when it was opened.
bool platform_read_some(PlatformFile* file, void* into, size_t count, size_t* done);
// Goes back to the first byte, so the file can be read again; false when it cannot.
bool platform_rewind(PlatformFile* file);

// Standard input, in binary, as a file that can be read but not rewound; closing it leaves
// standard input itself open.
PlatformFile* platform_open_stdin();

// A new, empty temporary file for writing and reading back, removed when it is closed (or when
// the program ends in any way); nullptr when none can be made.
PlatformFile* platform_open_spool();
// Writes all `count` bytes at the current position; false when they could not be written.
bool platform_write(PlatformFile* file, const void* bytes, size_t count);

// --- Writing files and folders ---

// Creates one folder; true when it exists as a folder afterwards (made now or already there).
bool platform_create_folder(const char* path);

// A result being written: a new temporary file in the folder of its path, renamed over the path
// only once every byte is written, so a reader never sees half a result. Until then the file is
// readable by its owner alone, and a signal that ends the program removes it (see
// platform_end_cleanly_on_signals).
struct PlatformOutput;

// Creates the temporary file for `path`; nullptr when it cannot be created. The result will have
// the permission bits of the file `permissions_of` (on POSIX; with nullptr it stays readable by
// its owner alone).
PlatformOutput* platform_begin_output(const char* path, const char* permissions_of);
// Appends `count` bytes; false on an error.
bool platform_write_output(PlatformOutput* output, const void* bytes, size_t count);
// Gives the file its permission bits, makes the bytes durable and renames the temporary file
// over the path; false on an error, when the temporary file is removed and any earlier file at
// the path is untouched. Ends the output.
bool platform_commit_output(PlatformOutput* output);
// Removes the temporary file, leaving any earlier file at the path untouched. Ends the output.
void platform_abandon_output(PlatformOutput* output);

// Writes `count` bytes to a new temporary file in the folder of `path`, then renames it over
// `path`, readable by its owner alone on POSIX. On failure the temporary file is removed and any
// earlier file at `path` is untouched.
bool platform_replace_file(const char* path, const void* bytes, size_t count);

// Writes all `count` bytes to standard output, in binary; false when they could not be written.
bool platform_write_stdout(const void* bytes, size_t count);

// --- Inspecting the file system ---

bool platform_is_folder(const char* path);

// Whether the path itself is a symbolic link (on Windows also a junction), wherever it points.
bool platform_is_link(const char* path);

// Whether both paths name one existing file (so writing one would replace the other).
bool platform_same_file(const char* a, const char* b);

// Calls `visit` for every entry of a folder except "." and "..", in byte order of the names.
// False when the folder cannot be listed (then `visit` was not called).
bool platform_list_folder(const char* folder, void (*visit)(void* context, const char* name, bool is_folder),
                          void* context);

// What a folder walk needs to know of one file without following it anywhere: a link to a folder
// is told apart from a folder, and each folder has an identity, so that no folder is entered twice.
struct PlatformFileId {
    uint64_t device;
    uint64_t node;
    bool operator<(const PlatformFileId& other) const {
        return device != other.device ? device < other.device : node < other.node;
    }
    bool operator==(const PlatformFileId& other) const = default;
};
enum class PlatformEntryKind { file, folder, linked_folder };  // file: anything but a folder
struct PlatformEntry {
    const char* name;
    PlatformEntryKind kind;
    // Of the folder, or of the folder a link leads to; zero for a file and for a folder whose
    // identity cannot be read.
    PlatformFileId id;
};

// A folder held open while a walk is inside it: its subfolders and the folder above are reached
// from it, without the system looking up the whole path again at every level.
struct PlatformFolder;

// nullptr when the path leads to no folder that can be opened.
PlatformFolder* platform_open_folder(const char* path);
// A subfolder by name; a link to a folder is opened only with `follow_link`. nullptr when it
// cannot be opened.
PlatformFolder* platform_open_subfolder(PlatformFolder* folder, const char* name, bool follow_link);
// The folder above, as the system finds it from this one; nullptr when it cannot be opened (a
// walk then opens it by its path).
PlatformFolder* platform_open_parent(PlatformFolder* folder);
PlatformFileId platform_folder_id(const PlatformFolder* folder);
void platform_close_folder(PlatformFolder* folder);

// Like platform_list_folder, with the kind and identity of each entry; linear in the entries.
bool platform_list_entries(PlatformFolder* folder, void (*visit)(void* context, const PlatformEntry& entry),
                           void* context);

// The identity of the file or folder a path leads to; false when it cannot be reached.
bool platform_file_id(const char* path, PlatformFileId* id);

// --- Terminal and clock ---

bool platform_stdin_is_terminal();
bool platform_stdout_is_terminal();
bool platform_stderr_is_terminal();

// Columns of the terminal behind standard error; 0 when that is no terminal.
int platform_terminal_columns();

// Whether the user's locale asks for Korean (a "ko" language; on Windows the user's language).
bool platform_user_wants_korean();

// Makes SIGINT, SIGTERM and SIGHUP (Ctrl+C, Ctrl+Break and closing the console on Windows) remove
// the temporary file of every unfinished output, write `farewell` (kept, not copied) to standard
// error and end the program with status 128 + the signal number.
void platform_end_cleanly_on_signals(const char* farewell);

// Makes a console show the UTF-8 status texts as they are written; the console's own code page
// comes back when the program ends. Nothing to do where terminals already take UTF-8.
void platform_prepare_terminal();

// Today's date on the local calendar: the full year, month 1 to 12, day 1 to 31.
void platform_local_date(int* year, int* month, int* day);

// --- Code pages ---
// Each conversion returns a buffer allocated with std::malloc (released by the caller with
// std::free) holding *out_count bytes followed by one NUL; the input is counted, not
// NUL-terminated, and may hold NULs, which are converted like any other character.
// They never fail, but throw std::bad_alloc when memory runs out.

// UTF-8 to CP949. Malformed sequences and characters CP949 lacks become "?" each.
unsigned char* platform_utf8_to_cp949(const unsigned char* text, size_t count, size_t* out_count);
// UTF-16LE (count is in bytes and even) to CP949. Lone surrogates and characters CP949 lacks
// become "?" each.
unsigned char* platform_utf16le_to_cp949(const unsigned char* text, size_t count, size_t* out_count);
// CP949 to UTF-8. A byte that does not begin a valid CP949 character becomes U+FFFD.
unsigned char* platform_cp949_to_utf8(const unsigned char* text, size_t count, size_t* out_count);

// The Unicode character (a UTF-16 code unit; CP949 has none beyond the first plane) of every
// two-byte CP949 code, at index lead * 256 + trail of a table of 65536 entries; 0 where the pair
// is no character of the system's CP949. Single bytes are not entered.
void platform_cp949_characters(uint16_t* table);

// A path or file name as the system spells it (UTF-8 on POSIX, CP949 on Windows), converted to
// CP949 for the status texts, or to UTF-8 for the terminal. Allocated as above.
unsigned char* platform_name_to_cp949(const char* name, size_t* out_count);
unsigned char* platform_name_to_utf8(const char* name, size_t* out_count);

}  // namespace tessaline
