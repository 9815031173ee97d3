#pragma once

#include <cstddef>
#include <string>

namespace tessaline {

// The end of a result is cut to one line break before its footer: trailing spaces, CRs and LFs
// go and one CR LF takes their place. Text arrives in pieces, so the blanks at the end of what
// has come so far are held back until a later byte shows they are inside the text. The first
// byte is never looked at: a text that is blank from its second byte on stays as it is.
class EndTrim {
public:
    // Passes on, through emit(bytes, count), every byte that is certainly kept.
    template <typename Emit>
    void put(const unsigned char* bytes, size_t count, Emit&& emit);

    // Passes on the end: one CR LF when the text has a kept byte after its first, else the held
    // blanks unchanged.
    template <typename Emit>
    void finish(Emit&& emit);

private:
    static bool is_blank(unsigned char c) { return c == ' ' || c == '\r' || c == '\n'; }

    bool started_ = false;
    bool kept_after_first_ = false;
    std::string held_;
};

template <typename Emit>
void EndTrim::put(const unsigned char* bytes, size_t count, Emit&& emit) {
    if (count == 0) return;
    if (!started_) {
        started_ = true;
        emit(bytes, 1);
        ++bytes;
        --count;
    }
    size_t end = count;
    while (end > 0 && is_blank(bytes[end - 1])) --end;
    if (end == 0) {
        held_.append(reinterpret_cast<const char*>(bytes), count);
        return;
    }
    if (!held_.empty()) emit(reinterpret_cast<const unsigned char*>(held_.data()), held_.size());
    held_.assign(reinterpret_cast<const char*>(bytes + end), count - end);
    emit(bytes, end);
    kept_after_first_ = true;
}

template <typename Emit>
void EndTrim::finish(Emit&& emit) {
    if (kept_after_first_) emit(reinterpret_cast<const unsigned char*>("\r\n"), 2);
    else if (!held_.empty()) emit(reinterpret_cast<const unsigned char*>(held_.data()), held_.size());
    held_.clear();
}

}  // namespace tessaline
