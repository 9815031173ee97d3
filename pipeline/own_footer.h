#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace tessaline {

// The two lines of the footer every result ends with, before the date and its closing bracket.
extern const char footer_version_line[];  // "[modify by Tessaline  beta2 ver 2010.7.7]"
extern const char footer_date_opening[];  // "[Text modified date: "

// The length of the text without a footer of this program at its very end (its two lines, with
// CR LF or LF line ends, followed by nothing but a few spaces and line breaks), so that converting
// a result again replaces its footer instead of adding a second one. The footer's first line must
// begin a line. Without such a footer the whole length.
size_t length_without_own_footer(const unsigned char* text, size_t length);

// The same for a text that comes in pieces: every piece is passed on at once but for the end that
// could still turn out to be such a footer, which is held until the text is complete.
class OwnFooterFilter {
public:
    template <typename Emit>
    void put(std::span<const unsigned char> piece, Emit&& emit);

    // The held end, without the footer when it is one.
    template <typename Emit>
    void finish(Emit&& emit);

private:
    // Bytes that may be passed on: all but the longest footer, one byte before it (which tells
    // whether it begins a line) and the blanks after it.
    size_t releasable() const;
    // How many of a text's last bytes are held back by that rule.
    static size_t kept_of(const unsigned char* text, size_t length);
    // ... of a piece whose own bytes settle it, so the held text and the rest of the piece are
    // passed on where they lie; more than the piece's length when they do not.
    static size_t kept_of_piece(std::span<const unsigned char> piece);

    std::string held_;
    bool released_ = false;  // the held text no longer begins the document
};

template <typename Emit>
void OwnFooterFilter::put(std::span<const unsigned char> piece, Emit&& emit) {
    size_t kept = kept_of_piece(piece);
    if (kept <= piece.size()) {
        if (!held_.empty())
            emit(std::span<const unsigned char>(reinterpret_cast<const unsigned char*>(held_.data()), held_.size()));
        if (kept < piece.size()) emit(piece.first(piece.size() - kept));
        released_ = released_ || !held_.empty() || kept < piece.size();
        held_.assign(reinterpret_cast<const char*>(piece.data()) + piece.size() - kept, kept);
        return;
    }
    held_.append(reinterpret_cast<const char*>(piece.data()), piece.size());
    size_t count = releasable();
    if (count == 0) return;
    emit(std::span<const unsigned char>(reinterpret_cast<const unsigned char*>(held_.data()), count));
    held_.erase(0, count);
    released_ = true;
}

template <typename Emit>
void OwnFooterFilter::finish(Emit&& emit) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(held_.data());
    // The first held byte of a text already passed on only tells whether a line begins after it.
    size_t context = released_ && !held_.empty() ? 1 : 0;
    size_t rest = held_.size() - context;
    size_t start = length_without_own_footer(bytes + context, rest);
    if (start == 0 && context == 1 && held_[0] != '\n') start = rest;
    if (context + start > 0) emit(std::span<const unsigned char>(bytes, context + start));
    held_.clear();
}

}  // namespace tessaline
