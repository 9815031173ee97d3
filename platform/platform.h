#pragma once

#include <cstddef>
#include <cstdint>

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

// --- Reading files ---

struct PlatformFile;

// Opens an existing file (not a folder) for reading and reports its size; nullptr when it cannot
// be opened.
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
// only once every byte is written, so a reader never sees half a result.
struct PlatformOutput;

// Creates the temporary file for `path`; nullptr when it cannot be created.
PlatformOutput* platform_begin_output(const char* path);
// Appends `count` bytes; false on an error.
bool platform_write_output(PlatformOutput* output, const void* bytes, size_t count);
// Makes the bytes durable and renames the temporary file over the path; false on an error, when
// the temporary file is removed and any earlier file at the path is untouched. Ends the output.
bool platform_commit_output(PlatformOutput* output);
// Removes the temporary file, leaving any earlier file at the path untouched. Ends the output.
void platform_abandon_output(PlatformOutput* output);

// Writes `count` bytes to a new temporary file in the folder of `path`, then renames it over
// `path`. On failure the temporary file is removed and any earlier file at `path` is untouched.
bool platform_replace_file(const char* path, const void* bytes, size_t count);

// Writes all `count` bytes to standard output, in binary; false when they could not be written.
bool platform_write_stdout(const void* bytes, size_t count);

// --- Inspecting the file system ---

bool platform_is_folder(const char* path);

// Whether both paths name one existing file (so writing one would replace the other).
bool platform_same_file(const char* a, const char* b);

// Calls `visit` for every entry of a folder except "." and "..", in byte order of the names.
// False when the folder cannot be listed (then `visit` was not called).
bool platform_list_folder(const char* folder,
                          void (*visit)(void* context, const char* name, bool is_folder),
                          void* context);

// --- Terminal and clock ---

bool platform_stdout_is_terminal();
bool platform_stderr_is_terminal();

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
