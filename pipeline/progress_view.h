#pragma once

// How far the engine has come through the current file, in percent; the pipeline passes it on
// to its batch view.
struct ProgressView {
    void* context;
    void (*set_file_progress)(void* context, int percent);
};
