// The space at a joint, decided by the line's ending and the next line's opening. Whole lines
// run through the engine; each case names the joined line, the next line and whether a space
// stands between them in the result.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/rules/joint_spacing.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"
#include "tests/support/rule_bench.h"

namespace tessaline {

namespace {

struct JointCase {
    const char* line;  // joined to the next line
    const char* next;  // ends in a full stop, so it is kept and ends the text
    bool spaced;
};

std::string joined(const JointCase& c) { return std::string(c.line) + (c.spaced ? " " : "") + c.next + "\r\n"; }

void expect_joints(const std::vector<JointCase>& cases, const ConversionOptions& options = plain_options()) {
    for (const JointCase& c : cases) {
        SCOPED_TRACE(std::string(c.line) + " | " + c.next);
        std::string result = reflow_utf8(std::string(c.line) + "\r\n" + c.next, options);
        EXPECT_EQ(result, joined(c)) << result;
    }
}

// A rule with exceptions: the line gets the space before `spaced_next` and none before any of
// `unspaced_nexts`.
struct ExceptionCase {
    const char* line;
    const char* spaced_next;
    std::vector<const char*> unspaced_nexts;
};

void expect_exceptions(const std::vector<ExceptionCase>& cases) {
    std::vector<JointCase> joints;
    for (const ExceptionCase& c : cases) {
        joints.push_back({c.line, c.spaced_next, true});
        for (const char* next : c.unspaced_nexts) joints.push_back({c.line, next, false});
    }
    expect_joints(joints);
}

ConversionOptions marked_options() {
    ConversionOptions options = plain_options();
    options.mark_joins = true;
    return options;
}

TEST(JointSpacing, ShortLineBufferNeverGetsTheSpace) {
    expect_joints({
        {"아침부터", "비가 내렸다.", false},  // 8 bytes
        {"a아침부터", "비가 내렸다.", true},  // 9 bytes
        {"그리고", "그리고 비가 내렸다.", false},
    });
    // The join mark counts: 8 bytes of text and the mark make 9.
    EXPECT_EQ(reflow_utf8("아침부터\r\n비가 내렸다.", marked_options()), "아침부터` 비가 내렸다.\r\n");
}

TEST(JointSpacing, AsciiLetterAtTheEndAlwaysGetsTheSpace) {
    expect_joints({
        {"He said hello", "그는 웃었다.", true},
        {"그 회사의 제품은 모델A", "형이었다.", true},
        {"그는 웃으며 OK", "다음에 보자고 했다.", true},
    });
}

TEST(JointSpacing, SecondByteOfASyllableIsNoAsciiLetter) {
    // 햏 is C1 64 and 똠 is 8C 63: their second bytes read as "d" and "c".
    expect_joints({
        {"그 사람의 별명은 햏", "이었다.", false},
        {"그날 저녁 식탁에는 똠", "양꿍이 올랐다.", false},
    });
}

TEST(JointSpacing, Group1AlwaysSpacedTails) {
    expect_joints({
        {"그날 아침부터", "비가 내렸다.", true},
        {"우리는 학교까지", "걸어갔다.", true},
        {"그는 웃었다 그러나", "대답하지 않았다.", true},
        {"그는 망설이다 마침내", "입을 열었다.", true},
        {"그 사람은 오늘", "떠났다.", true},
        {"그는 그 사람들 중", "하나를 골랐다.", true},
        {"그는 더 할 수", "도리가 없었다.", true},  // "할 수" outweighs the one-syllable rule
        {"그것은 너무 어려운", "문제였다.", true},
        {"그는 천천히 눈을 떠", "주위를 살폈다.", true},
        {"그는 아침밥", "먹었다.", false},
    });
}

TEST(JointSpacing, Group1ExceptedTails) {
    expect_exceptions({
        {"그 일에 대하여", "말했다.", {"금 떠나게 했다."}},
        {"선수들은 모두 아주", "좋았다.", {"리 팀이었다."}},
        {"그것은 정말", "놀라운 일이었다.", {"로 놀라웠다.", "이지 놀라웠다."}},
        {"그를 그렇게 대해", "준 사람은 없었다.", {"본 적이 없다.", "온 사람들이다.", "진 적이 없다."}},
        {"그는 제 일인 양", "떠들었다.", {"피지로 된 책이었다.", "초를 켰다.", "식 요리였다."}},
    });
    // Exceptions compare exactly their own bytes.
    expect_joints({
        {"그것은 정말", "이상한 일이었다.", true},
        {"그 일에 대해", "본적 없는 소리다.", true},
        {"그는 제 일인 양", "피리를 불었다.", true},
    });
    // After "이자" the ending rule for "자" still spaces before "식", so that exception never
    // shows on its own.
    expect_joints({
        {"그는 학자이자", "시인이었다.", true},
        {"그는 학자이자", "식이 다시 왔다.", true},
    });
}

TEST(JointSpacing, Group2NextLineOpeners) {
    expect_joints({
        {"그는 집으로 돌아왔다", "그리고 잠이 들었다.", true},
        {"그는 집으로 돌아왔다", "잠이 들었다.", false},
        {"그는 고개를 끄덕였다", "그렇지만 말은 없었다.", true},
        {"그는 집으로 돌아왔다", "그래서 모두 기뻐했다.", true},
        {"그는 집으로 돌아왔다", "또한 아무도 없었다.", true},
        {"그는 집으로 돌아왔다", "또한편으로는 기뻤다.", false},
        {"그는 집으로 돌아왔다", "또는, 그렇게 믿었다.", true},
        {"그는 집으로 돌아왔다", "따라서 아무도 몰랐다.", true},
        {"그는 집으로 돌아왔다", "하물며 그녀는 어땠을까.", true},
        {"나는 알고 있었다", "그것도 아주 잘.", true},
        {"나는 알고 있었다", "것도 아주 잘 안다.", false},
        {"그는 모든 것을 알았다", "다만 말하지 않았다.", true},
        {"그 집의 할머니", "다만 조용히 웃었다.", false},
        {"그는 생각했다", "만약 그가 온다면.", true},
    });
}

TEST(JointSpacing, Group3OneSyllableLastWord) {
    expect_exceptions({
        {"그는 잠든 듯", "조용했다.", {}},
        {"그것은 좋은 게", "아니었다.", {}},
        {"그는 웃을 뿐", "말이 없었다.", {}},
        {"그가 떠날 때", "비가 내렸다.", {"문이었다."}},
        {"그때는 바로 난", "몰랐다.", {"세였다.", "국이었다.", "초를 키웠다.", "장판이었다.", "처했다."}},
        {"그 자리에 선",
         "채로 기다렸다.",
         {"명했다.", "사했다.", "선했다.", "물이었다.", "혈이었다.", "지자였다.", "생님이었다.", "망이었다."}},
        {"그것은 곧 현실이 될", "것이다.", {"만한 일이었다.", "법한 일이었다."}},
        {"그가 사는 곳", "근처였다.", {"간에 있었다.", "곳에 있었다."}},
        {"그것은 어쩔 수",
         "없었다.",
         {"도 있었다.", "건이었다.", "영을 했다.", "작이었다.", "식이었다.", "장이었다.", "문이었다.", "해였다."}},
        {"그는 신발을 신은 채", "걸었다.", {"송화 가루였다."}},
        {"그는 창가에 혼자 서", "있었다.", {"서 있었다.", "자 말했다.", "려고 했다.", "는 웃었다."}},
        {"그는 빵을 한", "조각 먹었다.", {"마리 샀다.", "쪽을 먹었다."}},
        {"그것은 생각보다 꽤", "큰 집이었다.", {"병이었다.", "할 만했다."}},
        {"그는 그 사실을 알 걸", "그랬다.", {"프를 쳤다.", "걸음 걸었다.", "레를 쳤다.", "작이었다.", "고리였다."}},
        {"그는 무엇을 할",
         "생각이었다.",
         {"머니가 왔다.", "아버지가 왔다.", "아범이 왔다.", "멈을 왔다.", "망이었다.", "로 왔다.", "복을 왔다.",
          "애가 왔다."}},
        {"그런 일이 있었던 건",
         "사실이었다.",
         {"지였다.",   "진이었다.", "설이었다.", "가였다.",   "네였다.",  "넨이었다.", "넬이었다.",
          "너였다.",   "넌이었다.", "널이었다.", "넜었다.",   "넸었다.",  "강이었다.", "더였다.",
          "드였다.",   "들이었다.", "든이었다.", "축이었다.", "조였다.",  "데였다.",   "국이었다.",
          "달이었다.", "전이었다.", "빵이었다.", "성이었다.", "물이었다."}},
    });
    // "서" and a space is an exception; "서" before another syllable is not.
    expect_joints({{"그는 창가에 혼자 서", "서울로 갔다.", true}});
}

TEST(JointSpacing, Group3WordsThatOnlySpaceUnderACondition) {
    expect_joints({
        {"그것은 그가 말한 것", "같았다.", true},
        {"그것은 그가 말한 것", "뿐이었다.", true},
        {"그것은 그가 말한 것", "잘 알았다.", true},
        {"그것은 그가 말한 것", "아닌가 싶었다.", true},
        {"그것은 그가 말한 것", "이상이었다.", true},
        {"그것은 그가 말한 것", "만큼 컸다.", true},
        {"그것은 그가 말한 것", "이외에는 없었다.", true},
        {"그것은 그가 말한 것", "이다.", false},
        {"해가 지기 전", "그는 돌아왔다.", true},
        {"그는 방금 전", "그곳에 갔다.", true},
        {"그것은 두 시간 전", "일이었다.", true},
        {"그것은 얼마 전", "일이었다.", true},
        {"그가 말한 전", "쟁은 끝났다.", false},
    });
}

TEST(JointSpacing, Group3AndGroup5DependOnTheByteBeforeTheLastSyllable) {
    expect_joints({
        {"나는 좋은 것", "을 골랐다.", false},            // one-syllable word: needs 같, 뿐 ...
        {"그가 원한 것은 바로 그것", "하나였다.", true},  // longer word: "것" always spaced
        {"그는 빵 한", "쪽을 먹었다.", false},
        {"그는 조용한", "쪽으로 갔다.", true},
        {"그는 창가에 혼자 서", "리를 맞았다.", true},
        {"그는 집에 가서", "리를 맞았다.", false},
        {"나는 그냥 을", "먹었다.", false},
        {"그는 밥을", "먹었다.", true},
    });
}

TEST(JointSpacing, Group4Dani) {
    expect_joints({
        {"그렇게 말하다니", "놀랍다.", true},
        {"그는 여기저기 돌아다니", "면서 놀았다.", true},
        {"그는 그 다니", "엘을 만났다.", false},
    });
}

TEST(JointSpacing, Group5EndingsAlwaysSpaced) {
    expect_joints({
        {"그는 밥을", "먹었다.", true},
        {"그 사람들 중에 그는", "웃었다.", true},
        {"그는 학교에", "걸어서 갔다.", true},
        {"그는 친구에게", "말했다.", true},
        {"그는 조용한", "사람이었다.", true},
        {"그는 몸을 일으켜", "세웠다.", true},
        {"그녀는 눈을 감은 채 미소를 지으며", "고개를 들었다.", true},
        {"그는 천천히, 아주 천천히,", "걸었다.", true},
        {"그는 사과와", "배를 샀다.", true},
    });
}

TEST(JointSpacing, Group5EndingsWithExceptions) {
    expect_exceptions({
        {"그가 오면", "말해 다오.", {"서 웃었다."}},
        {"그는 그 사람의", "집에 갔다.", {"자에 앉았다."}},
        {"그는 하나씩", "세었다.", {"씩 웃었다."}},
        {"그것은 바로 그 정도", "일은 아니었다.", {"로 충분했다.", "시였다.", "둑이었다.", "마뱀이었다.", "안이었다."}},
        {"그날 밤 인기가", "높았다.", {"락이었다.", "수였다.", "치였다.", "씨였다."}},
        {"그는 그 사람만",
         "골랐다.",
         {"큼 컸다.", "세를 불렀다.", "한 일이었다.", "지 않았다.", "진 얼굴이었다.", "질 수 있었다."}},
        {"그가 집에 오니", "아무도 없었다.", {"까 좋았다.", "다만 조용했다."}},
        {"그 사람이",
         "웃었다.",
         {"건 아니었다.", "빨랐다.", "불었다.", "커졌다.", "었다.", "글썽였다.", "니까 좋았다."}},
        {"그는 밥을 먹고", "잠을 잤다.", {"기를 썼다.", "향에 갔다.", "개를 숙였다."}},
        {"그가 떠나자", "바람이 불었다.", {"루를 샀다.", "비를 샀다.", "리에 앉았다.", "국이었다.", "손을 낳았다."}},
        {"그는 집에 가서", "밥을 먹었다.", {"자리에 앉았다.", "서 기다렸다.", "려고 했다.", "리를 맞았다."}},
        {"그것은 옛날 이야기", "속의 일이었다.", {"사를 썼다.", "지를 지켰다."}},
        {"그는 아무것도 모르지", "않았다.", {"지 않았다."}},
        {"그녀는 시장에 갈 것이야", "말했다.", {"기를 들었다."}},
    });
    // Conditions on the syllable before the last one.
    expect_joints({
        {"그는 말했다 그로", "인해 모두 떠났다.", false},
        {"그는 집으로", "돌아갔다.", true},
        {"그것은 불가", "능했다.", false},
        {"그녀의 이름은 카린", "이었다.", false},
        {"그녀는 아직 어린", "아이였다.", true},
        {"그는 흔적을 남기", "고 떠났다.", false},
        {"그것이 마지", "막이었다.", false},
        {"산은 하얀 눈에 덮인", "산이었다.", true},
        {"그것은 소금이 섞인", "물이었다.", true},
        {"강가에 밧줄로 묶인", "배였다.", true},
        {"그것은 지극히 인간적인", "일이었다.", true},
        {"그는 그가 어떤 사람인", "지 알았다.", false},
    });
}

TEST(JointSpacing, Group5NiOnlyAfterItsSyllables) {
    expect_joints({
        {"그가 밥을 먹으니", "배가 불렀다.", true},
        {"그가 집에 가니", "비가 내렸다.", true},
        {"그가 집에 오니", "비가 내렸다.", true},
        {"그가 깃발을 세우니", "바람이 불었다.", true},
        {"그가 창밖을 보니", "비가 내렸다.", true},
        {"그는 빈손이었다 그러니", "어쩔 수가 없었다.", true},
        {"그가 그렇게 하니", "모두 웃었다.", true},
        {"그가 문간에 들어서니", "모두 일어났다.", true},
        {"그가 한참 웃더니", "울기 시작했다.", true},
        {"그가 손을 내미니", "모두 놀랐다.", false},
        {"그가 돈을 내니", "모두 놀랐다.", true},
        {"그 집의 어머니", "모두 놀랐다.", false},
    });
}

TEST(JointSpacing, JoinMarkStandsBeforeTheSpace) {
    const ConversionOptions options = marked_options();
    EXPECT_EQ(reflow_utf8("그날 아침부터\r\n비가 내렸다.", options), "그날 아침부터` 비가 내렸다.\r\n");
    EXPECT_EQ(reflow_utf8("그는 집으로 돌아왔다\r\n그리고 잠이 들었다.", options),
              "그는 집으로 돌아왔다` 그리고 잠이 들었다.\r\n");
    EXPECT_EQ(reflow_utf8("그는 아침밥\r\n먹었다.", options), "그는 아침밥`먹었다.\r\n");
    EXPECT_EQ(reflow_utf8("그는 창가에 혼자 서\r\n는 웃었다.", options), "그는 창가에 혼자 서`는 웃었다.\r\n");
}

TEST(JointSpacing, LineBreakAppendedByTheJoinGetsNoSpace) {
    // A numbered next line starts on a line of its own; "것도" from its third byte calls for a
    // space, but no space may begin that line.
    EXPECT_EQ(reflow_utf8("그는 세 가지를 적었다\r\n1.것도 모른다.", plain_options()),
              "그는 세 가지를 적었다\r\n1.것도 모른다.\r\n");
    // A short line before an empty line ends its paragraph with a blank line.
    ConversionOptions options = plain_options();
    options.min_line_bytes = 30;
    EXPECT_EQ(reflow_utf8("첫째 줄은 길게 이어지는 문장이고\r\n둘째 줄은,\r\n\r\n그리고 새 문단이다.", options),
              "첫째 줄은 길게 이어지는 문장이고 둘째 줄은,\r\n\r\n그리고 새 문단이다.\r\n");
}

TEST(JointSpacing, NextLineAtTheEndOfTheSource) {
    // Nothing follows: every comparison with the next line fails, the line's end still counts.
    EXPECT_EQ(reflow_utf8("그날 아침부터\r\n", plain_options()), "그날 아침부터 ");
    EXPECT_EQ(reflow_utf8("그는 무엇을 할", plain_options()), "그는 무엇을 할 ");
    EXPECT_EQ(reflow_utf8("그것은 그가 말한 것", plain_options()), "그것은 그가 말한 것");
    EXPECT_EQ(reflow_utf8("그는 집으로 돌아왔다", plain_options()), "그는 집으로 돌아왔다");
}

TEST(JointSpacing, HardWrappedParagraphReadsAsWritten) {
    const std::string paragraph =
        "그날 아침부터 비가 내리기 시작했다. 그는 창가에서 오랫동안 밖을 바라보았다. 그리고 천천히 외투를 "
        "입고 집을 나섰다. 거리에는 사람들이 거의 없었다. 그는 학교까지 걸어가면서 어제 들은 이야기를 "
        "떠올렸다. 그것이야말로 그가 찾던 답이었다. 다만 그것은 정말로 이상한 일이어서 아무도 그 사실을 "
        "믿을 수 없었다.";
    // Wrapped between words (no space left at the break) and inside words.
    const std::string wrapped =
        "그날 아침부터\r\n"
        "비가 내리기 시작했다. 그는 창가에\r\n"
        "서 오랫동안 밖을\r\n"
        "바라보았다. 그리고 천천히 외투를\r\n"
        "입고 집을 나섰다. 거리에는 사람들\r\n"
        "이 거의 없었다. 그는 학교\r\n"
        "까지 걸어가면서 어제 들은\r\n"
        "이야기를 떠올렸다. 그것이야\r\n"
        "말로 그가 찾던\r\n"
        "답이었다. 다만 그것은 정말\r\n"
        "로 이상한 일이어서 아무도 그 사실을\r\n"
        "믿을 수 없었다.\r\n";
    EXPECT_EQ(reflow_utf8(wrapped, plain_options()), paragraph + "\r\n");
}

// Whether the last decision appended the space.
int last_space_added = 0;

// Sets up a joint the way the join leaves it and runs the decision alone; returns the line.
std::string decide(const std::string& line, const std::string& next, int mark_offset) {
    RuleBench bench;
    Conversion& cv = bench.cv();
    bench.set_source(cp949(next));
    bench.set_line(cp949(line));
    cv.place.mark_offset = mark_offset;
    cv.place.space_added = 1;
    decide_joint_space(cv);
    EXPECT_EQ(cv.line.bytes()[cv.line.length], 0);
    last_space_added = cv.place.space_added;
    return utf8(bench.line());
}

TEST(JointSpacing, SpaceAddedRecordsWhetherTheSpaceWasAppended) {
    EXPECT_EQ(decide("그날 아침부터", "비가", 0), "그날 아침부터 ");
    EXPECT_EQ(last_space_added, 1);
    EXPECT_EQ(decide("그는 아침밥", "먹었다", 0), "그는 아침밥");
    EXPECT_EQ(last_space_added, 0);
}

TEST(JointSpacing, TrailingSpaceGetsNoSecondSpace) {
    EXPECT_EQ(decide("그날 아침부터 ", "그리고", 0), "그날 아침부터 ");
    EXPECT_EQ(last_space_added, 0);
    EXPECT_EQ(decide("그날 아침부터 `", "그리고", 1), "그날 아침부터 `");
    EXPECT_EQ(last_space_added, 0);
}

TEST(JointSpacing, RulesReadTheTextBeforeTheJoinMark) {
    EXPECT_EQ(decide("그날 아침부터`", "비가", 1), "그날 아침부터` ");
    EXPECT_EQ(decide("그는 창가에 혼자 서`", "는", 1), "그는 창가에 혼자 서`");
    EXPECT_EQ(decide("그는 창가에 혼자 서`", "있다", 1), "그는 창가에 혼자 서` ");
}

}  // namespace

}  // namespace tessaline
