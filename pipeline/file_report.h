#pragma once

#include <cstdint>
#include <string>

namespace tessaline {

// What the conversion of one file tells its batch, in this order: started; then either failed,
// or loaded, progress, and written (with any warnings) or failed; then ended. The batch turns it into what its view
// shows, so that files converted at once are still told in the order of the batch.
class FileReport {
public:
    virtual ~FileReport() = default;
    virtual void started(const std::string& path) = 0;
    virtual void loaded() = 0;
    virtual void progress(int percent) = 0;
    // `path` is the one at fault: the input, or the output that could not be written.
    virtual void failed(const std::string& path, const std::string& reason) = 0;
    // The first bytes of the written result (up to the largest preview) and its whole length.
    virtual void written(const std::string& head, uint64_t length) = 0;
    // Something was lost on the way, such as bytes that were not text; in English.
    virtual void warned(const std::string& path, const std::string& warning) = 0;
    virtual void ended() = 0;
};

}  // namespace tessaline
