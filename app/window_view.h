#pragma once

struct ProgressView;

// The display operations carried out on the main window's controls.
const ProgressView* window_view();
