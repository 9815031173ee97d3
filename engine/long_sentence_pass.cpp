#include "engine/long_sentence_pass.h"

void long_sentence_pass() {}
