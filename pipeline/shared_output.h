#pragma once

#include <cstddef>
#include <string>

namespace tessaline {

// Standard output as the files of a batch share it: each file's result whole, in the order of the
// batch, however many files are converted at once.
class SharedOutput {
public:
    virtual ~SharedOutput() = default;
    // Writes the next bytes of this file's result; false, with platform_error_text() saying why,
    // when they could not be written.
    virtual bool write(const unsigned char* bytes, size_t count) = 0;
    // Returns once every byte written so far is out; false as for write.
    virtual bool flush() = 0;
    // The memory the result is kept in, when the output is no more than that: a UTF-8 result is
    // then encoded straight into it rather than written through a buffer. Null otherwise.
    virtual std::string* memory() { return nullptr; }
};

// A result kept in memory, as the browser keeps it.
class MemoryOutput final : public SharedOutput {
public:
    bool write(const unsigned char* bytes, size_t count) override {
        bytes_.append(reinterpret_cast<const char*>(bytes), count);
        return true;
    }
    bool flush() override { return true; }
    std::string* memory() override { return &bytes_; }
    std::string bytes_;
};

// Standard output itself, for a batch that converts one file at a time.
class DirectOutput final : public SharedOutput {
public:
    bool write(const unsigned char* bytes, size_t count) override;
    bool flush() override { return true; }
};

}  // namespace tessaline
