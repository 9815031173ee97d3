#include "engine/hanja_removal.h"

void remove_hanja_glosses() {}
