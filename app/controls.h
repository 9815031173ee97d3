#pragma once

#include "app/main_window.h"

namespace tessaline {

// Creates the fourteen controls of the main window with their initial states, sets the font on
// all but the two bars and records their handles in `window`.
void create_controls(MainWindow& window);

// The font of the controls: 12 pixels high, Korean character set, face "굴림".
HFONT create_controls_font();

}  // namespace tessaline
