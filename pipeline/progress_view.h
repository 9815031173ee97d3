#pragma once

// The one seam between the conversion logic and whatever shows it: the window implements these
// on its controls, the command line on the terminal, the tests by recording every call.
// Texts are NUL-terminated CP949 byte strings, passed as they are and not kept.
struct ProgressView {
    void* context;
    void (*set_file_progress)(void* context, int percent);
    void (*set_batch_range)(void* context, int count);
    void (*set_batch_progress)(void* context, int files_done);
    void (*set_status)(void* context, const char* text);
    void (*show_path)(void* context, const char* text);
    void (*show_preview)(void* context, const char* text);
    void (*refresh)(void* context);
    void (*show_message)(void* context, const char* text);
    // flags[0..3] receive the check states (1 or 0) of the checkboxes with ids 1, 2, 3 and 4.
    void (*read_checkboxes)(void* context, int flags[4]);
    // Fills text with at most the first 9 characters of the minimum-length field, NUL-terminated.
    void (*read_min_length_text)(void* context, char text[10]);
    void (*uncheck_mark_joins)(void* context);
};
