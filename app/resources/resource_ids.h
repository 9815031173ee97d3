#ifndef TESSALINE_RESOURCE_IDS_H
#define TESSALINE_RESOURCE_IDS_H

// Ids shared by the resource script and the program; plain defines so the resource compiler
// reads them too.

#define STRING_WINDOW_TITLE 103
#define STRING_CLASS_NAME 109

#define MENU_MAIN 109
#define ACCELERATORS_MAIN 109
#define DIALOG_ABOUT 103

#define ICON_WINDOW_LARGE 107
#define ICON_WINDOW_SMALL 108

#define COMMAND_ABOUT 104
#define COMMAND_EXIT_MENU 105

#endif
