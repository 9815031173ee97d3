#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "engine/reflow.h"

namespace tessaline {

using TextPieceSink = std::function<void(std::span<const unsigned char> cp949)>;
// Reads a whole text, handing each piece to the sink; false when reading failed.
using TextReading = std::function<bool(const TextPieceSink& piece)>;

// Converts a text in the vocabulary mode with a second processor's help: `read` runs on a thread of
// its own, where a scan (engine/joint_scan.h) also reads the book's evidence at the joints of each
// piece before the piece comes back to this thread, in order, to `take`, with how far the reading
// had come then (`position`, asked on the reading's thread). The line loop so finds each joint's
// reading made. Without a thread to be had, the text is read here and every joint by the line
// loop. False when reading failed; what either thread throws is thrown here.
bool read_with_joints_ahead(Reflow& reflow, const TextReading& read, const std::function<uint64_t()>& position,
                            const std::function<void(std::span<const unsigned char>, uint64_t position)>& take);

}  // namespace tessaline
