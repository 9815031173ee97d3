#pragma once

namespace tessaline {

// Carries out the command with this id (the low word of a WM_COMMAND); false for ids the main
// window leaves to the default processing.
bool handle_command(int id);

}  // namespace tessaline
