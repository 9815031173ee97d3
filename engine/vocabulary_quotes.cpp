#include "engine/vocabulary_quotes.h"

#include <cstring>

#include "engine/vocabulary_store.h"

namespace {

// A book shows its habit only in this many quotations run on inside its lines, at the least.
constexpr int64_t RUN_ON_MIN = 2;

const unsigned char CLOSING_CURLY[] = {0xA1, 0xB1};  // ”

// The width of a closing double quotation mark that ends just before `end`, or 0.
int closing_mark_before(const TextWindow& text, int64_t end) {
    if (text.at(end - 1) == '"') return 1;
    return text.at(end - 2) == CLOSING_CURLY[0] && text.at(end - 1) == CLOSING_CURLY[1] ? 2 : 0;
}

struct QuotationSurvey {
    int64_t run_on = 0;         // a closing mark, one space and a quotative word inside a line
    int64_t opening_line = 0;   // a line opening with a quotative word after a closing mark
};

void survey_line(const TextWindow& text, int64_t begin, int64_t end, QuotationSurvey& survey) {
    auto at = [&text](int64_t pos) { return text.at(pos); };
    for (int64_t pos = begin + 1; pos + 1 < end; ++pos)
        if (text.at(pos) == ' ' && closing_mark_before(text, pos) > 0 && quotative_at(at, pos + 1)) ++survey.run_on;
    int64_t previous_end = begin - 1;  // the previous line's LF
    while (previous_end > 0 && (text.at(previous_end - 1) == '\r' || text.at(previous_end - 1) == ' ')) --previous_end;
    if (begin > 0 && closing_mark_before(text, previous_end) > 0 && quotative_at(at, begin)) ++survey.opening_line;
}

}  // namespace

void learn_quotation_habit(BookVocabulary& v, const TextWindow& source, int64_t line_stride) {
    QuotationSurvey survey;
    const unsigned char* text = source.pointer(0);
    int64_t length = source.end();
    int64_t line = 0;
    for (int64_t begin = 0; begin < length; ++line) {
        const void* lf = std::memchr(text + begin, '\n', static_cast<size_t>(length - begin));
        int64_t end = lf != nullptr ? static_cast<const unsigned char*>(lf) - text : length;
        if (line % line_stride == 0) survey_line(source, begin, end, survey);
        begin = end + 1;
    }
    v.quotations_run_on = survey.run_on >= RUN_ON_MIN && survey.run_on > survey.opening_line;
}
