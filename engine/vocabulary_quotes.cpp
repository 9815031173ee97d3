#include "engine/vocabulary_quotes.h"

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

void learn_quotation_habit(BookVocabulary& v, const TextWindow& source, const std::vector<SourceLine>& lines) {
    QuotationSurvey survey;
    for (const SourceLine& line : lines) survey_line(source, line.begin, line.end, survey);
    v.quotations_run_on = survey.run_on >= RUN_ON_MIN && survey.run_on > survey.opening_line;
}
