#include "pipeline/view_calls.h"

#include "pipeline/progress_view.h"

void view_set_file_progress(const ProgressView* view, int percent) {
    if (view != nullptr && view->set_file_progress != nullptr) view->set_file_progress(view->context, percent);
}

void view_set_batch_progress(const ProgressView* view, int files_done) {
    if (view != nullptr && view->set_batch_progress != nullptr) view->set_batch_progress(view->context, files_done);
}

void view_set_status(const ProgressView* view, const char* text) {
    if (view != nullptr && view->set_status != nullptr) view->set_status(view->context, text);
}

void view_show_path(const ProgressView* view, const char* text) {
    if (view != nullptr && view->show_path != nullptr) view->show_path(view->context, text);
}

void view_show_preview(const ProgressView* view, const char* text) {
    if (view != nullptr && view->show_preview != nullptr) view->show_preview(view->context, text);
}

void view_refresh(const ProgressView* view) {
    if (view != nullptr && view->refresh != nullptr) view->refresh(view->context);
}

void view_show_message(const ProgressView* view, const char* text) {
    if (view != nullptr && view->show_message != nullptr) view->show_message(view->context, text);
}

void view_read_checkboxes(const ProgressView* view, int flags[4]) {
    if (view != nullptr && view->read_checkboxes != nullptr) view->read_checkboxes(view->context, flags);
}

bool view_read_min_length_text(const ProgressView* view, char text[10]) {
    if (view == nullptr || view->read_min_length_text == nullptr) return false;
    text[0] = 0;
    view->read_min_length_text(view->context, text);
    text[9] = 0;
    return true;
}

void view_uncheck_mark_joins(const ProgressView* view) {
    if (view != nullptr && view->uncheck_mark_joins != nullptr) view->uncheck_mark_joins(view->context);
}
