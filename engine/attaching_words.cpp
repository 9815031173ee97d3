#include "engine/attaching_words.h"

// The openings of a next line that take the space at the joint away again, in CP949 with the
// Hangul beside each word; a "␣" in a comment stands for a space byte.

namespace {

constexpr Word closing_mark_words[] = {
    {".", 1},  // .
    {"?", 1},  // ?
    {"!", 1},  // !
    {"\"", 1},  // "
    {"'", 1},  // '
    {"]", 1},  // ]
    {"\xA1\xB1", 2},  // ”
    {"\xA1\xAF", 2},  // ’
};

constexpr Word attaching_syllable_words[] = {
    {"\xB4\xCF", 2},  // 니
    {"\xC0\xBA", 2},  // 은
    {"\xBF\xA1", 2},  // 에
    {"\xB5\xB5", 2},  // 도
    {"\xC0\xBB", 2},  // 을
    {"\xB0\xA8", 2},  // 감
    {"\xB8\xA6", 2},  // 를
    {"\xB5\xA5", 2},  // 데
    {"\xB0\xD4", 2},  // 게
    {"\xB8\xE7", 2},  // 며
    {"\xB0\xD5", 2},  // 겐
    {"\xB8\xB8", 2},  // 만
    {"\xC0\xCE", 2},  // 인
    {"\xB0\xC7", 2},  // 건
    {"\xC0\xC7", 2},  // 의
    {"\xBF\xE4", 2},  // 요
    {"\xB0\xED", 2},  // 고
    {"\xB0\xCD", 2},  // 것
    {"\xB7\xC1", 2},  // 려
    {"\xBE\xDF", 2},  // 야
    {"\xB3\xAA", 2},  // 나
    {"\xB1\xE2", 2},  // 기
    {"\xC1\xF6", 2},  // 지
    {"\xBF\xEE", 2},  // 운
    {"\xB0\xA1", 2},  // 가
    {"\xB4\xF8", 2},  // 던
    {"\xB8\xE9", 2},  // 면
    {"\xB6\xF3", 2},  // 라
    {"\xB5\xE9", 2},  // 들
    {"\xB8\xAE", 2},  // 리
    {"\xBF\xEC", 2},  // 우
};

constexpr Word attaching_ending_words[] = {
    {"\xBF\xA1\xB5\xB5", 4},  // 에도
    {"\xBF\xA1\xBC\xAD", 4},  // 에서
    {"\xBF\xA1\xB4\xC2", 4},  // 에는
    {"\xBF\xA1\xB8\xB8", 4},  // 에만
    {"\xBF\xA1\xB0\xD4", 4},  // 에게
    {"\xC0\xB8\xB7\xCE", 4},  // 으로
    {"\xC7\xCF\xB0\xED", 4},  // 하고
    {"\xBC\xAD\xB5\xB5", 4},  // 서도
    {"\xB7\xCE\xB5\xB5", 4},  // 로도
    {"\xC0\xCC\xBE\xDF", 4},  // 이야
    {"\xBF\xA1\xBE\xDF", 4},  // 에야
    {"\xB7\xCE\xBE\xDF", 4},  // 로야
    {"\xB4\xD9\xB8\xE9", 4},  // 다면
    {"\xB0\xCD\xC0\xBA", 4},  // 것은
    {"\xB0\xCD\xC0\xCC", 4},  // 것이
    {"\xB0\xCD\xC0\xBB", 4},  // 것을
    {"\xB0\xCD\xB5\xB5", 4},  // 것도
    {"\xB0\xCD\xBF\xA1", 4},  // 것에
    {"\xB7\xCE\xB4\xC2", 4},  // 로는
    {"\xB7\xCE\xBC\xAD", 4},  // 로서
    {"\xBA\xCE\xC5\xCD", 4},  // 부터
    {"\xB1\xEE\xC1\xF6", 4},  // 까지
    {"\xBC\xAD\xB4\xC2", 4},  // 서는
    {"\xB6\xF3\xB5\xB5", 4},  // 라도
    {"\xB6\xF3\xB0\xED", 4},  // 라고
    {"\xB6\xF3\xBC\xAD", 4},  // 라서
    {"\xBF\xA9\xBE\xDF", 4},  // 여야
    {"\xBF\xA9\xBC\xAD", 4},  // 여서
    {"\xBF\xA9\xB5\xB5", 4},  // 여도
    {"\xB8\xA3\xC1\xF6", 4},  // 르지
    {"\xC7\xCF\xB0\xEF", 4},  // 하곤
    {"\xB6\xF3\xB0\xEF", 4},  // 라곤
    {"\xC1\xF6\xB4\xC2", 4},  // 지는
    {"\xC7\xCF\xBF\xA9", 4},  // 하여
    {"\xC7\xCF\xB1\xE2", 4},  // 하기
    {"\xC7\xCF\xB8\xE7", 4},  // 하며
    {"\xC7\xCF\xB8\xE9", 4},  // 하면
    {"\xBF\xA1\xBC\xB1", 4},  // 에선
    {"\xB7\xCE\xBC\xB1", 4},  // 로선
    {"\xB0\xD4\xBC\xAD", 4},  // 게서
    {"\xB0\xD4\xBC\xB1", 4},  // 게선
    {"\xB0\xD4\xB4\xC2", 4},  // 게는
    {"\xB0\xD4\xB7\xCE", 4},  // 게로
    {"\xBE\xEE\xBE\xDF", 4},  // 어야
    {"\xB6\xF3\xB4\xC2", 4},  // 라는
    {"\xC7\xCF\xB4\xC2", 4},  // 하는
    {"\xC0\xDA\xB4\xC2", 4},  // 자는
    {"\xB0\xD4\xB5\xB5", 4},  // 게도
    {"\xB5\xE9\xC0\xCC", 4},  // 들이
    {"\xB5\xE9\xC0\xBB", 4},  // 들을
    {"\xB5\xE9\xC0\xBA", 4},  // 들은
    {"\xB5\xE9\xBF\xA1", 4},  // 들에
    {"\xB5\xE9\xB5\xB5", 4},  // 들도
    {"\xB1\xE2\xBF\xA1", 4},  // 기에
    {"\xB0\xD4\xB8\xB8", 4},  // 게만
    {"\xB7\xCE\xB8\xB8", 4},  // 로만
    {"\xB8\xED\xC0\xBB", 4},  // 명을
    {"\xB8\xED\xC0\xBA", 4},  // 명은
    {"\xB8\xED\xC0\xC7", 4},  // 명의
};

constexpr Word ro_neun_heads[] = {{"\xB7\xCE", 2}, {"\xB4\xC2", 2}};  // 로 는
constexpr Word rok_head[] = {{"\xB7\xCF", 2}};  // 록
constexpr Word do_before[] = {{"\xB5\xB5", 2}};  // 도
constexpr Word seon_head[] = {{"\xBC\xB1", 2}};  // 선
constexpr Word e_before[] = {{"\xBF\xA1", 2}};  // 에
constexpr Word deun_head[] = {{"\xB5\xE7", 2}};  // 든
constexpr Word deun_excluded_befores[] = {
    {"\xBF\xA1", 2}, {"\xC0\xBB", 2}, {"\xB8\xA6", 2}, {"\xC2\xEF", 2},  // 에 을 를 찍
};
constexpr Word i_head[] = {{"\xC0\xCC", 2}};  // 이
constexpr Word i_required_befores[] = {
    {"\xB8\xB8", 2}, {"\xB8\xE9", 2}, {"\xB0\xCD", 2}, {"\xB5\xE9", 2},  // 만 면 것 들
    {"\xB0\xF7", 2}, {"\xC7\xD1\xC2\xFC", 4}, {"\xBF\xC0\xB4\xC3", 4}, {"\xB3\xBB\xC0\xCF", 4},  // 곳 한참 오늘 내일
};
constexpr Word i_excluded_befores[] = {{"\xC1\xF6\xB8\xB8", 4}, {"\xB7\xAF\xB8\xE9", 4}};  // 지만 러면
constexpr Word jil_heads[] = {{"\xB7\xAF", 2}, {"\xC1\xF6", 2}, {"\xC7\xD1", 2}};  // 러 지 한
constexpr Word jil_before[] = {{"\xC1\xFA", 2}};  // 질
constexpr Word kyeo_heads[] = {
    {"\xBF\xC2", 2}, {"\xB5\xD0", 2}, {"\xB5\xD1", 2}, {"\xC1\xE5", 2},  // 온 둔 둘 쥔
    {"\xBE\xDF", 2}, {"\xB8\xE9", 2}, {"\xB6\xF3", 2}, {"\xB4\xCF", 2},  // 야 면 라 니
    {"\xB3\xD7", 2},  // 네
};
constexpr Word kyeo_before[] = {{"\xC4\xD1", 2}};  // 켜
constexpr Word kyeo_word_heads[] = {
    {"\xC1\xD6\xB4\xC2 ", 5}, {"\xB3\xAA\xB0\xD4 ", 5}, {"\xB5\xE5\xB8\xB1 ", 5},  // 주는␣ 나게␣ 드릴␣
};
constexpr Word jiget_head[] = {{"\xC1\xF6\xB0\xDA", 4}};  // 지겠
constexpr Word mallo_head[] = {{"\xB8\xBB\xB7\xCE", 4}};  // 말로
constexpr Word ya_before[] = {{"\xBE\xDF", 2}};  // 야
constexpr Word daneun_head[] = {{"\xB4\xD9\xB4\xC2", 4}};  // 다는
constexpr Word hin_han_befores[] = {{"\xC8\xF9", 2}, {"\xC7\xD1", 2}};  // 힌 한

constexpr ReviewRule one_syllable_rule_table[] = {
    {.heads = ro_neun_heads},
    {.heads = attaching_syllable_words},
    {.heads = rok_head, .required_befores = do_before},  // 도록
    {.heads = seon_head, .required_befores = e_before},  // 에선
    {.heads = deun_head, .excluded_befores = deun_excluded_befores},  // 든, but not 에든 을든 를든 찍든
    {.heads = i_head,  // 만이, 오늘이
     .required_befores = i_required_befores,
     .excluded_befores = i_excluded_befores},
    {.heads = jil_heads, .required_befores = jil_before},  // 질러 질지 질한
    {.heads = kyeo_heads, .required_befores = kyeo_before},  // 켜온 켜둔 켜야 켜면
};

constexpr ReviewRule two_syllable_rule_table[] = {
    {.heads = attaching_ending_words},
    {.heads = mallo_head, .required_befores = ya_before},  // 야말로
    {.heads = daneun_head, .required_befores = hin_han_befores},  // 힌다는 한다는
};

constexpr ReviewRule opening_rule_table[] = {
    {.heads = kyeo_word_heads, .required_befores = kyeo_before},  // 켜주는 켜나게 켜드릴
    {.heads = jiget_head},  // 지겠
};

}  // namespace

constexpr std::span<const Word> closing_marks = closing_mark_words;
constexpr std::span<const Word> attaching_syllables = attaching_syllable_words;
constexpr std::span<const Word> attaching_endings = attaching_ending_words;
constexpr std::span<const ReviewRule> attaching_one_syllable_rules = one_syllable_rule_table;
constexpr std::span<const ReviewRule> attaching_two_syllable_rules = two_syllable_rule_table;
constexpr std::span<const ReviewRule> attaching_opening_rules = opening_rule_table;

constexpr Word space_keeping_head = {"\xBE\xF8", 2};  // 없
constexpr Word standing_head = {"\xBC\xAD", 2};  // 서
constexpr Word standing_verb = {"\xC0\xD6", 2};  // 있
