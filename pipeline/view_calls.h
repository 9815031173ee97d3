#pragma once

struct ProgressView;

// The pipeline's calls on the view. A missing view or operation is skipped; a missing reading
// operation leaves the values it would have given as they were.
void view_set_file_progress(const ProgressView* view, int percent);
void view_set_batch_progress(const ProgressView* view, int files_done);
void view_set_status(const ProgressView* view, const char* text);
void view_show_path(const ProgressView* view, const char* text);
void view_show_preview(const ProgressView* view, const char* text);
void view_refresh(const ProgressView* view);
void view_show_message(const ProgressView* view, const char* text);
void view_read_checkboxes(const ProgressView* view, int flags[4]);
// True when the field was read into text (at most 9 characters, NUL-terminated).
bool view_read_min_length_text(const ProgressView* view, char text[10]);
void view_uncheck_mark_joins(const ProgressView* view);
