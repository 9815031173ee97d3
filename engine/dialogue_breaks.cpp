#include "engine/dialogue_breaks.h"

void insert_dialogue_breaks() {}
