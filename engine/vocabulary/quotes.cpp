#include "engine/vocabulary/quotes.h"

#include "engine/text/marks.h"
#include "engine/vocabulary/lines.h"
#include "engine/vocabulary/store.h"

namespace tessaline {

namespace {

// A book shows its habit only in this many quotations run on inside its lines, at the least.
constexpr int64_t run_on_min = 2;

const unsigned char closing_curly[] = {mark_lead, close_double_trail};  // ”

// The width of a closing double quotation mark that ends just before `end`, or 0.
int closing_mark_before(const TextWindow& text, int64_t end) {
    if (text.at(end - 1) == '"') return 1;
    return text.at(end - 2) == closing_curly[0] && text.at(end - 1) == closing_curly[1] ? 2 : 0;
}

}  // namespace

void QuotationSurvey::survey_line(const TextWindow& text, int64_t begin, int64_t end) {
    auto at = [&text](int64_t pos) { return text.at(pos); };
    for (int64_t pos = begin + 1; pos + 1 < end; ++pos)
        if (text.at(pos) == ' ' && closing_mark_before(text, pos) > 0 && quotative_at(at, pos + 1)) ++run_on_;
    int64_t text_end = line_text_end(text, end);
    if (end < text.end() && text_end > begin && closing_mark_before(text, text_end) > 0 &&
        quotative_at(at, next_line_text(text, end + 1)))
        ++split_;
}

void QuotationSurvey::conclude(BookVocabulary& v) const {
    v.quotations_run_on = run_on_ >= run_on_min && run_on_ > split_;
}

}  // namespace tessaline
