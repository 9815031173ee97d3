// The book-vocabulary mode: joints decided by the words and syllable pairs a text uses inside its
// own lines. Each book below is a few kept lines of evidence followed by one joined line; the
// test reads whether the joint came out spaced, unspaced or as the rules left it.

#include <gtest/gtest.h>

#include <string>

#include "tests/support/engine_harness.h"

namespace tessaline {

namespace {

ConversionOptions with_vocabulary(ConversionOptions options = plain_options()) {
    options.joints = JointMode::vocabulary;
    return options;
}

enum class Joint { SPACED, UNSPACED, MISSING };

// How the joint between `line` and `next` came out after the book's evidence lines.
Joint joint_after(const std::string& evidence, const std::string& line, const std::string& next,
                  const ConversionOptions& options) {
    std::string result = reflow_utf8(evidence + line + "\n" + next + "\n", options);
    if (result.find(line + " " + next) != std::string::npos) return Joint::SPACED;
    if (result.find(line + next) != std::string::npos) return Joint::UNSPACED;
    ADD_FAILURE() << "joint not found in: " << result;
    return Joint::MISSING;
}

struct EvidenceCase {
    const char* what;
    const char* evidence;  // kept lines, each ending in a full stop
    const char* line;      // joined to `next`
    const char* next;
    Joint rules;       // the joint as the rules alone make it
    Joint vocabulary;  // the joint with the book's evidence
};

class BookEvidence : public testing::TestWithParam<EvidenceCase> {};

TEST_P(BookEvidence, DecidesTheJoint) {
    const EvidenceCase& c = GetParam();
    EXPECT_EQ(joint_after(c.evidence, c.line, c.next, plain_options()), c.rules) << "rules";
    EXPECT_EQ(joint_after(c.evidence, c.line, c.next, with_vocabulary()), c.vocabulary) << "vocabulary";
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, BookEvidence,
    testing::Values(
        // The fragments joined make a word the book uses, the first only ever begins one and the
        // second only ever ends one; the two syllables at the cut alone lean the other way. Four
        // sightings are too few to take back the space a rule put there...
        EvidenceCase{"words_join_too_seldom",
                     "그는 마당 한가운데로 걸어갔다.\n그에 대한 가게 소문이 돌았다.\n"
                     "그는 마당 한가운데로 걸어갔다.\n그에 대한 가게 소문이 돌았다.\n"
                     "그는 마당 한가운데로 걸어갔다.\n그에 대한 가게 소문이 돌았다.\n"
                     "그는 마당 한가운데로 걸어갔다.\n그에 대한 가게 소문이 돌았다.\n",
                     "아이들이 뛰어노는 마당 한", "가운데로 걸어갔다.", Joint::SPACED, Joint::SPACED},
        // ... eight are enough.
        EvidenceCase{"words_join",
                     "그는 마당 한가운데로 걸어갔다.\n그에 대한 가게 소문이 돌았다.\n"
                     "그는 마당 한가운데로 걸어갔다.\n그에 대한 가게 소문이 돌았다.\n"
                     "그는 마당 한가운데로 걸어갔다.\n그에 대한 가게 소문이 돌았다.\n"
                     "그는 마당 한가운데로 걸어갔다.\n그에 대한 가게 소문이 돌았다.\n"
                     "그는 마당 한가운데로 걸어갔다.\n그에 대한 가게 소문이 돌았다.\n"
                     "그는 마당 한가운데로 걸어갔다.\n그에 대한 가게 소문이 돌았다.\n"
                     "그는 마당 한가운데로 걸어갔다.\n그에 대한 가게 소문이 돌았다.\n"
                     "그는 마당 한가운데로 걸어갔다.\n그에 대한 가게 소문이 돌았다.\n",
                     "아이들이 뛰어노는 마당 한", "가운데로 걸어갔다.", Joint::SPACED, Joint::UNSPACED},
        // Both fragments are words the book uses, quoted, so no syllable ever meets them.
        EvidenceCase{"words_part",
                     "아이는 공책에 “나무”와 “아래”를 적었다.\n"
                     "선생님이 “나무”, “아래” 하고 읽었다.\n",
                     "아이들은 언덕 위의 커다란 나무", "아래 모여 앉았다.", Joint::UNSPACED, Joint::SPACED},
        // Fragments the book never shows as words (the runs touch the evidence lines' starts),
        // but a syllable pair it always writes together.
        EvidenceCase{"pair_joins",
                     "가을바람이 불어왔다.\n"
                     "가을바람은 서늘했다.\n"
                     "가을바람도 잦아들었다.\n",
                     "창문을 여니 어느덧 가을", "바람에 낙엽이 날렸다.", Joint::SPACED, Joint::UNSPACED},
        // Fragments the book never shows as words, but a syllable pair it always writes apart.
        EvidenceCase{"pair_parts",
                     "나무 위로 새가 날아올랐다.\n"
                     "나무 위를 다람쥐가 뛰었다.\n"
                     "나무 위에 둥지가 있었다.\n",
                     "마당 한쪽에 서 있는 큰 나무", "위쪽으로 까치가 울었다.", Joint::UNSPACED, Joint::SPACED},
        // Nothing in the book speaks about either joint, so the rules' decision stands both ways.
        EvidenceCase{"no_evidence_keeps_a_space", "바다는 잔잔했다.\n", "그는 오래된 편지를", "펼쳐 보았다.",
                     Joint::SPACED, Joint::SPACED},
        EvidenceCase{"no_evidence_keeps_no_space", "바다는 잔잔했다.\n", "그는 오래된 편지를 펼", "쳐 보았다.",
                     Joint::UNSPACED, Joint::UNSPACED},
        // One sighting of the syllable before the cut ending a word leans towards a space, but in
        // a text this short it is too thin to overrule the rules.
        EvidenceCase{"thin_evidence_keeps_the_rules", "그는 가방을 들어 올렸다.\n", "그리고 사람들 틈에서 조금 떨어",
                     "져 서 있었다.", Joint::UNSPACED, Joint::UNSPACED}),
    [](const testing::TestParamInfo<EvidenceCase>& info) { return std::string(info.param.what); });

}  // namespace

}  // namespace tessaline
