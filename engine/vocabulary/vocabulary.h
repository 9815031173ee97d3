#pragma once

// The vocabulary mode (`--joints vocabulary`): the book's own vocabulary and layout, gathered from
// the whole text before the line loop, overrule the word rules at the joints where their evidence
// is strong. The rest of the engine sees the mode through this header alone.

#include "engine/vocabulary/breaks.h"      // line ends the book's layout joins or keeps
#include "engine/vocabulary/dictionary.h"  // the spelling dictionary asked about short texts
#include "engine/vocabulary/lengths.h"     // joints where the output differs from the rules' own
#include "engine/vocabulary/line_end.h"    // a line's end decided with the book's evidence
#include "engine/vocabulary/quotes.h"      // quotations the book runs on into their sentence
#include "engine/vocabulary/reading.h"     // the reading of the whole text before it is converted
#include "engine/vocabulary/sentences.h"   // the sentences around a line end
#include "engine/vocabulary/store.h"       // the evidence one conversion holds
