// A character CP949 lacks reaches the engine as a stand-in; at joints and dialogue breaks it must
// be decided exactly as a Hanja in its place would be, the plain two-byte character that is not
// Hangul.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pipeline/stand_in_table.h"
#include "pipeline/text_decoder.h"
#include "pipeline/text_encoder.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"

namespace tessaline {

namespace {

// Texts with places X and Y for a character: at the end and the start of joined lines, before
// particles, beside quotation marks and full stops, alone on a line.
const char* const templates[] = {
    "그는 오래된 골목길을 따라 천천히 걸어가면서 X\r\n생각에 잠겨 있었다.\r\n",
    "그는 오래된 골목길을 따라 천천히 걸어가면서 옛날\r\nX 생각에 잠겨 있었다.\r\n",
    "그는 오래된 골목길을 따라 천천히 걸어가면서 옛날X\r\n는 생각에 잠겨 있었다.\r\n",
    "그는 오래된 골목길을 따라 천천히 걸어가면서 옛날 X\r\n를 생각하고 있었다.\r\n",
    "그는 오래된 골목길을 따라 천천히 걸어가면서 옛날 생각에 X.\r\n잠겨 있었다.\r\n",
    "“X 가자.” 그가 말했다. 그는 오래된 골목길을 따라 천천히 걸어갔다.\r\n",
    "그는 오래된 골목길을 따라 천천히 걸어가면서 말했다. “가자 X” 그리고\r\n웃었다.\r\n",
    "그는 오래된 골목길을 따라 천천히 걸어가면서 말했다.\r\n“X”\r\n그리고 웃었다.\r\n",
    "X\r\nY\r\nXY 그는 오래된 골목길을 따라 천천히 걸어가면서 XX\r\nYY 생각에 잠겼다.\r\n",
    "　X로 시작하는 첫 줄은 들여 쓰였고 한참 동안 이어지면서 끝나지 않는\r\n문장이다.\r\n\r\n둘째 문단 X(Y) 끝.\r\n",
    "그는 오래된 골목길을 따라 천천히 걸어가면서 옛날 생각에 잠겨 있었다. X 어린 시절의 기억이 하나둘 떠올랐고 그는 "
    "걸음을 멈추었다. 그리고 다시 걸었다. 골목 끝에는 오래된 가게가 있었다. Y 가게 주인은 그를 알아보았다.\r\n",
};

struct Pair {
    const char* stood_in;  // a character CP949 lacks
    const char* plain;     // a Hanja CP949 has
};

const Pair X = {"😀", "漢"};
const Pair Y = {"—", "字"};

std::string filled(std::string text, bool stood_in) {
    for (const Pair* pair : {&X, &Y}) {
        char place = pair == &X ? 'X' : 'Y';
        for (size_t at = text.find(place); at != std::string::npos; at = text.find(place, at))
            text.replace(at, 1, stood_in ? pair->stood_in : pair->plain);
    }
    return text;
}

std::string plain_for_stood_in(std::string utf8_text) {
    for (const Pair* pair : {&X, &Y}) {
        std::string from = pair->stood_in;
        for (size_t at = utf8_text.find(from); at != std::string::npos; at = utf8_text.find(from, at))
            utf8_text.replace(at, from.size(), pair->plain);
    }
    return utf8_text;
}

// The text reflowed with stand-ins, given back in UTF-8.
std::string reflowed_with_stand_ins(const std::string& utf8_text, const ConversionOptions& options) {
    StandInTable table;
    TextDecoder decoder(TextEncoding::utf8, &table, 0);
    std::string source;
    decoder.decode(std::span(reinterpret_cast<const unsigned char*>(utf8_text.data()), utf8_text.size()), source);
    decoder.finish(source);
    std::string result = reflow(source, options);
    std::string out;
    TextEncoder encoder(TextEncoding::utf8, &table);
    encoder.encode(std::span(reinterpret_cast<const unsigned char*>(result.data()), result.size()), out);
    encoder.finish(out);
    return out;
}

std::vector<ConversionOptions> option_sets() {
    ConversionOptions marked = window_defaults();
    marked.mark_joins = true;
    ConversionOptions hanja_removed = window_defaults();
    hanja_removed.remove_hanja = true;
    ConversionOptions vocabulary = window_defaults();
    vocabulary.joints = JointMode::vocabulary;
    ConversionOptions short_lines = plain_options();
    short_lines.min_line_bytes = 4;
    return {window_defaults(), plain_options(), marked, hanja_removed, vocabulary, short_lines};
}

TEST(StandInJoints, AreDecidedAsBesideAHanja) {
    std::vector<ConversionOptions> options = option_sets();
    for (const char* text : templates) {
        for (size_t k = 0; k < options.size(); ++k) {
            std::string with_hanja = utf8(reflow(cp949(filled(text, false)), options[k]));
            std::string with_stand_ins = reflowed_with_stand_ins(filled(text, true), options[k]);
            EXPECT_EQ(plain_for_stood_in(with_stand_ins), with_hanja) << text << "\noption set " << k;
            EXPECT_NE(with_stand_ins.find(X.stood_in), std::string::npos) << "the character itself comes back";
        }
    }
}

}  // namespace

}  // namespace tessaline
