#include "engine/joint_words.h"

// The endings of a joined line that decide the space at the joint, in CP949 with the Hangul
// beside each word; a "␣" in a comment stands for a space byte.

namespace {

constexpr Word always_spaced_tail_words[] = {
    {"\xBA\xCE\xC5\xCD", 4},  // 부터
    {"\xB1\xEE\xC1\xF6", 4},  // 까지
    {"\xB7\xAF\xB3\xAA", 4},  // 러나
    {"\xB1\xD7\xB0\xC7", 4},  // 그건
    {"\xB0\xC5\xB3\xAA", 4},  // 거나
    {"\xB6\xC7\xC7\xD1", 4},  // 또한
    {"\xB8\xF0\xB5\xCE", 4},  // 모두
    {"\xC7\xD4\xB2\xB2", 4},  // 함께
    {"\xC0\xCC\xB3\xAA", 4},  // 이나
    {"\xB0\xE6\xBF\xEC", 4},  // 경우
    {"\xB1\xD7\xB7\xB1", 4},  // 그런
    {"\xB4\xDE\xB8\xAE", 4},  // 달리
    {"\xB4\xD9\xB8\xA5", 4},  // 다른
    {"\xC0\xFB\xC0\xCE", 4},  // 적인
    {"\xC3\xB3\xB7\xB3", 4},  // 처럼
    {"\xB8\xB8\xC0\xCF", 4},  // 만일
    {"\xB8\xB8\xBE\xE0", 4},  // 만약
    {"\xB3\xA1\xB3\xBB", 4},  // 끝내
    {"\xC4\xA7\xB3\xBB", 4},  // 침내
    {"\xB9\xAE\xB5\xE6", 4},  // 문득
    {"\xC0\xE1\xBD\xC3", 4},  // 잠시
    {"\xC7\xD1\xC2\xFC", 4},  // 한참
    {"\xBF\xC0\xB4\xC3", 4},  // 오늘
    {"\xB3\xBB\xC0\xCF", 4},  // 내일
    {"\xBE\xEE\xB6\xB2", 4},  // 어떤
    {"\xB8\xF0\xB5\xE7", 4},  // 모든
    {"\xB9\xFA\xBD\xE1", 4},  // 벌써
    {"\xC1\xF7\xC0\xFC", 4},  // 직전
    {"\xB5\xB5\xC1\xDF", 4},  // 도중
    {"\xC1\xF7\xC8\xC4", 4},  // 직후
    {"\xC3\xB3\xC0\xBD", 4},  // 처음
    {"\xC1\xDF\xB0\xA3", 4},  // 중간
    {"\xB4\xD9\xC0\xBD", 4},  // 다음
    {"\xC0\xCC\xC0\xFC", 4},  // 이전
    {"\xC0\xCC\xC8\xC4", 4},  // 이후
    {"\xB8\xB6\xB4\xD9", 4},  // 마다
    {"\xC1\xB6\xC2\xF7", 4},  // 조차
    {"\xB8\xBB\xB7\xCE", 4},  // 말로
    {"\xC0\xFC\xBA\xCE", 4},  // 전부
    {"\xB9\xB0\xB7\xD0", 4},  // 물론
    {"\xBF\xAA\xBD\xC3", 4},  // 역시
    {"\xB4\xD9\xBD\xC3", 4},  // 다시
    {"\xC7\xD1\xC5\xD7", 4},  // 한테
    {"\xBD\xAC\xBF\xEE", 4},  // 쉬운
    {"\xB5\xC7\xBE\xEE", 4},  // 되어
    {"\xB8\xC2\xC3\xE7", 4},  // 맞춰
    {"\xBD\xBA\xB7\xB1", 4},  // 스런
    {"\xB8\xB6\xC4\xA1", 4},  // 마치
    {"\xB5\xBF\xBE\xC8", 4},  // 동안
    {"\xC0\xCC\xB0\xC7", 4},  // 이건
    {"\xC0\xFA\xB0\xC7", 4},  // 저건
    {"\xBE\xF8\xBE\xEE", 4},  // 없어
    {"\xBF\xA1\xB0\xD5", 4},  // 에겐
    {"\xBF\xA1\xBC\xB1", 4},  // 에선
    {"\xB7\xCE\xBC\xB1", 4},  // 로선
    {"\xB7\xAF\xBF\xEE", 4},  // 러운
    {"\xB0\xF0\xC0\xE5", 4},  // 곧장
    {"\xB4\xD9\xC7\xD8", 4},  // 다해
    {"\xC5\xEB\xC7\xD8", 4},  // 통해
    {"\xB4\xE7\xC0\xE5", 4},  // 당장
    {"\xB5\xA5 \xBC\xB1", 5},  // 데␣선
    {"\xB5\xE9 \xC1\xDF", 5},  // 들␣중
    {"\xB0\xCD \xC1\xDF", 5},  // 것␣중
    {"\xB4\xF8 \xC1\xDF", 5},  // 던␣중
    {"\xB1\xD7 \xC1\xDF", 5},  // 그␣중
    {"\xC7\xD2 \xBC\xF6", 5},  // 할␣수
    {"\xBE\xEE\xB7\xC1\xBF\xEE", 6},  // 어려운
    {"\xBE\xC6\xB4\xCF\xB6\xF3", 6},  // 아니라
    {"\xB5\xB5\xB4\xEB\xC3\xBC", 6},  // 도대체
    {"\xB5\xE5\xB5\xF0\xBE\xEE", 6},  // 드디어
    {"\xB4\xF5\xB1\xB8\xB3\xAA", 6},  // 더구나
    {"\xC7\xCF\xC1\xF6\xB8\xB8", 6},  // 하지만
    {"\xB4\xAB\xC0\xBB \xB6\xB0", 7},  // 눈을␣떠
};

constexpr Word excepted_hayeo_excluded_heads[] = {{"\xB1\xDD", 2}};  // 금
constexpr Word excepted_ija_excluded_heads[] = {{"\xBD\xC4", 2}};  // 식
constexpr Word excepted_aju_excluded_heads[] = {{"\xB8\xAE", 2}};  // 리
constexpr Word excepted_jeongmal_excluded_heads[] = {{"\xB7\xCE", 2}, {"\xC0\xCC\xC1\xF6", 4}};  // 로 이지
constexpr Word excepted_daehae_excluded_heads[] = {
    {"\xBA\xBB ", 3}, {"\xBF\xC2 ", 3}, {"\xC1\xF8 ", 3},  // 본␣ 온␣ 진␣
};
constexpr Word excepted_in_yang_excluded_heads[] = {
    {"\xC7\xC7\xC1\xF6", 4}, {"\xC3\xCA", 2}, {"\xBD\xC4", 2},  // 피지 초 식
};

constexpr TailRule excepted_tail_rules[] = {
    {.tail = {"\xC7\xCF\xBF\xA9", 4}, .excluded_heads = excepted_hayeo_excluded_heads},  // 하여
    {.tail = {"\xC0\xCC\xC0\xDA", 4}, .excluded_heads = excepted_ija_excluded_heads},  // 이자
    {.tail = {"\xBE\xC6\xC1\xD6", 4}, .excluded_heads = excepted_aju_excluded_heads},  // 아주
    {.tail = {"\xC1\xA4\xB8\xBB", 4}, .excluded_heads = excepted_jeongmal_excluded_heads},  // 정말
    {.tail = {"\xB4\xEB\xC7\xD8", 4}, .excluded_heads = excepted_daehae_excluded_heads},  // 대해
    {.tail = {"\xC0\xCE \xBE\xE7", 5}, .excluded_heads = excepted_in_yang_excluded_heads},  // 인␣양
};

constexpr Word single_ttae_excluded_heads[] = {{"\xB9\xAE", 2}};  // 문
constexpr Word single_nan_excluded_heads[] = {
    {"\xBC\xBC", 2}, {"\xB1\xB9", 2}, {"\xC3\xCA", 2}, {"\xC0\xE5", 2},  // 세 국 초 장
    {"\xC3\xB3", 2},  // 처
};
constexpr Word single_e_seon_excluded_heads[] = {
    {"\xB8\xED", 2}, {"\xBB\xE7", 2}, {"\xBC\xB1", 2}, {"\xB9\xB0", 2},  // 명 사 선 물
    {"\xC7\xF7", 2}, {"\xC1\xF6", 2}, {"\xBB\xFD", 2}, {"\xB8\xC1", 2},  // 혈 지 생 망
};
constexpr Word single_doel_excluded_heads[] = {{"\xB8\xB8", 2}, {"\xB9\xFD", 2}};  // 만 법
constexpr Word single_geot_required_heads[] = {
    {"\xB0\xB0", 2}, {"\xBB\xD3", 2}, {"\xC0\xDF", 2}, {"\xBE\xC6\xB4\xD1", 4},  // 같 뿐 잘 아닌
    {"\xC0\xCC\xBB\xF3", 4}, {"\xB8\xB8\xC5\xAD", 4}, {"\xC0\xCC\xBF\xDC", 4},  // 이상 만큼 이외
};
constexpr Word single_got_excluded_heads[] = {{"\xB0\xA3", 2}, {"\xB0\xF7", 2}};  // 간 곳
constexpr Word single_su_excluded_heads[] = {
    {"\xB5\xB5", 2}, {"\xB0\xC7", 2}, {"\xBF\xB5", 2}, {"\xC0\xDB", 2},  // 도 건 영 작
    {"\xBD\xC4", 2}, {"\xC0\xE5", 2}, {"\xB9\xAE", 2}, {"\xC7\xD8", 2},  // 식 장 문 해
};
constexpr Word single_chae_excluded_heads[] = {{"\xBC\xDB\xC8\xAD", 4}};  // 송화
constexpr Word single_seo_excluded_heads[] = {
    {"\xBC\xAD ", 3}, {"\xC0\xDA ", 3}, {"\xB7\xC1", 2}, {"\xB4\xC2", 2},  // 서␣ 자␣ 려 는
};
constexpr Word single_han_excluded_heads[] = {{"\xB8\xB6\xB8\xAE", 4}, {"\xC2\xCA", 2}};  // 마리 쪽
constexpr Word single_kkwae_excluded_heads[] = {{"\xBA\xB4", 2}, {"\xC7\xD2", 2}};  // 병 할
constexpr Word single_geol_excluded_heads[] = {
    {"\xC7\xC1", 2}, {"\xB0\xC9", 2}, {"\xB7\xB9", 2}, {"\xC0\xDB", 2},  // 프 걸 레 작
    {"\xB0\xED\xB8\xAE", 4},  // 고리
};
constexpr Word single_hal_excluded_heads[] = {
    {"\xB8\xD3\xB4\xCF", 4}, {"\xBE\xC6\xB9\xF6", 4}, {"\xBE\xC6\xB9\xFC", 4}, {"\xB8\xD8", 2},  // 머니 아버 아범 멈
    {"\xB8\xC1", 2}, {"\xB7\xCE", 2}, {"\xBA\xB9", 2}, {"\xBE\xD6", 2},  // 망 로 복 애
};
constexpr Word single_jeon_required_befores[] = {
    {"\xB1\xE2 ", 3}, {"\xB1\xDD ", 3}, {"\xB0\xA3 ", 3}, {"\xBE\xF3\xB8\xB6 ", 5},  // 기␣ 금␣ 간␣ 얼마␣
};
constexpr Word single_geon_excluded_heads[] = {
    {"\xC1\xF6", 2}, {"\xC1\xF8", 2}, {"\xBC\xB3", 2}, {"\xB0\xA1", 2},  // 지 진 설 가
    {"\xB3\xD7", 2}, {"\xB3\xD9", 2}, {"\xB3\xDA", 2}, {"\xB3\xCA", 2},  // 네 넨 넬 너
    {"\xB3\xCD", 2}, {"\xB3\xCE", 2}, {"\xB3\xD4", 2}, {"\xB3\xDE", 2},  // 넌 널 넜 넸
    {"\xB0\xAD", 2}, {"\xB4\xF5", 2}, {"\xB5\xE5", 2}, {"\xB5\xE9", 2},  // 강 더 드 들
    {"\xB5\xE7", 2}, {"\xC3\xE0", 2}, {"\xC1\xB6", 2}, {"\xB5\xA5", 2},  // 든 축 조 데
    {"\xB1\xB9", 2}, {"\xB4\xDE", 2}, {"\xC0\xFC", 2}, {"\xBB\xA7", 2},  // 국 달 전 빵
    {"\xBC\xBA", 2}, {"\xB9\xB0", 2},  // 성 물
};

constexpr TailRule single_word_rule_table[] = {
    {.tail = {"\xB5\xED", 2}},  // 듯
    {.tail = {"\xB0\xD4", 2}},  // 게
    {.tail = {"\xBB\xD3", 2}},  // 뿐
    {.tail = {"\xB6\xA7", 2}, .excluded_heads = single_ttae_excluded_heads},  // 때
    {.tail = {"\xB3\xAD", 2}, .excluded_heads = single_nan_excluded_heads},  // 난
    {.tail = {"\xBF\xA1 \xBC\xB1", 5}, .excluded_heads = single_e_seon_excluded_heads},  // 에␣선
    {.tail = {"\xB5\xC9", 2}, .excluded_heads = single_doel_excluded_heads},  // 될
    {.tail = {"\xB0\xCD", 2}, .required_heads = single_geot_required_heads},  // 것
    {.tail = {"\xB0\xF7", 2}, .excluded_heads = single_got_excluded_heads},  // 곳
    {.tail = {"\xBC\xF6", 2}, .excluded_heads = single_su_excluded_heads},  // 수
    {.tail = {"\xC3\xA4", 2}, .excluded_heads = single_chae_excluded_heads},  // 채
    {.tail = {"\xBC\xAD", 2}, .excluded_heads = single_seo_excluded_heads},  // 서
    {.tail = {"\xC7\xD1", 2}, .excluded_heads = single_han_excluded_heads},  // 한
    {.tail = {"\xB2\xCF", 2}, .excluded_heads = single_kkwae_excluded_heads},  // 꽤
    {.tail = {"\xB0\xC9", 2}, .excluded_heads = single_geol_excluded_heads},  // 걸
    {.tail = {"\xC7\xD2", 2}, .excluded_heads = single_hal_excluded_heads},  // 할
    {.tail = {"\xC0\xFC", 2}, .required_befores = single_jeon_required_befores},  // 전
    {.tail = {"\xB0\xC7", 2}, .excluded_heads = single_geon_excluded_heads},  // 건
};

constexpr Word dani_excluded_befores[] = {{" ", 1}};  // ␣

constexpr Word ending_myeon_excluded_heads[] = {{"\xBC\xAD", 2}};  // 서
constexpr Word ending_ui_excluded_heads[] = {{"\xC0\xDA", 2}};  // 자
constexpr Word ending_ssik_excluded_heads[] = {{"\xBE\xBF", 2}};  // 씩
constexpr Word ending_do_excluded_heads[] = {
    {"\xB7\xCE", 2}, {"\xBD\xC3", 2}, {"\xB5\xCF", 2}, {"\xB8\xB6", 2},  // 로 시 둑 마
    {"\xBE\xC8", 2},  // 안
};
constexpr Word ending_ro_excluded_befores[] = {{"\xB1\xD7", 2}};  // 그
constexpr Word ending_ga_excluded_befores[] = {{"\xBA\xD2", 2}};  // 불
constexpr Word ending_ga_excluded_heads[] = {
    {"\xB6\xF4", 2}, {"\xBC\xF6", 2}, {"\xC4\xA1", 2}, {"\xBE\xBE", 2},  // 락 수 치 씨
};
constexpr Word ending_man_excluded_heads[] = {
    {"\xC5\xAD", 2}, {"\xBC\xBC", 2}, {"\xC7\xD1", 2}, {"\xC1\xF6", 2},  // 큼 세 한 지
    {"\xC1\xF8", 2}, {"\xC1\xFA", 2},  // 진 질
};
constexpr Word ending_ni_required_befores[] = {
    {"\xC0\xB8", 2}, {"\xB0\xA1", 2}, {"\xBF\xC0", 2}, {"\xBF\xEC", 2},  // 으 가 오 우
    {"\xBA\xB8", 2}, {"\xB7\xAF", 2}, {"\xC7\xCF", 2}, {"\xBC\xAD", 2},  // 보 러 하 서
    {"\xB4\xF5", 2}, {"\xB3\xBB", 2},  // 더 내
};
constexpr Word ending_ni_excluded_heads[] = {{"\xB1\xEE", 2}, {"\xB4\xD9\xB8\xB8", 4}};  // 까 다만
constexpr Word ending_i_excluded_heads[] = {
    {"\xB0\xC7", 2}, {"\xBB\xA1", 2}, {"\xBA\xD2", 2}, {"\xC4\xBF", 2},  // 건 빨 불 커
    {"\xBE\xFA", 2}, {"\xB1\xDB", 2}, {"\xB4\xCF\xB1\xEE", 4},  // 었 글 니까
};
constexpr Word ending_go_excluded_heads[] = {{"\xB1\xE2", 2}, {"\xC7\xE2", 2}, {"\xB0\xB3", 2}};  // 기 향 개
constexpr Word ending_rin_excluded_befores[] = {{"\xC4\xAB", 2}};  // 카
constexpr Word ending_ja_excluded_heads[] = {
    {"\xB7\xE7", 2}, {"\xBA\xF1", 2}, {"\xB8\xAE", 2}, {"\xB1\xB9", 2},  // 루 비 리 국
    {"\xBC\xD5", 2},  // 손
};
constexpr Word ending_seo_excluded_heads[] = {
    {"\xC0\xDA", 2}, {"\xBC\xAD", 2}, {"\xB7\xC1", 2}, {"\xB8\xAE", 2},  // 자 서 려 리
};
constexpr Word ending_gi_excluded_befores[] = {{"\xB3\xB2", 2}};  // 남
constexpr Word ending_gi_excluded_heads[] = {{"\xBB\xE7", 2}, {"\xC1\xF6", 2}};  // 사 지
constexpr Word ending_ji_excluded_befores[] = {{"\xB8\xB6", 2}};  // 마
constexpr Word ending_ji_excluded_heads[] = {{"\xC1\xF6", 2}};  // 지
constexpr Word ending_in_required_befores[] = {
    {"\xC0\xFB", 2}, {"\xB5\xA4", 2}, {"\xBC\xAF", 2}, {"\xB9\xAD", 2},  // 적 덮 섞 묶
};
constexpr Word ending_ya_excluded_heads[] = {{"\xB1\xE2", 2}};  // 기

constexpr TailRule ending_rule_table[] = {
    {.tail = {"\xC0\xBB", 2}},  // 을
    {.tail = {"\xB8\xA6", 2}},  // 를
    {.tail = {"\xBF\xA3", 2}},  // 엔
    {.tail = {"\xB4\xC2", 2}},  // 는
    {.tail = {"\xC0\xBA", 2}},  // 은
    {.tail = {"\xB8\xE7", 2}},  // 며
    {.tail = {"\xB0\xFA", 2}},  // 과
    {.tail = {"\xBF\xCD", 2}},  // 와
    {.tail = {"\xBF\xA1", 2}},  // 에
    {.tail = {"\xB5\xA5", 2}},  // 데
    {.tail = {"\xC8\xF7", 2}},  // 히
    {.tail = {"\xB0\xD4", 2}},  // 게
    {.tail = {"\xB4\xF8", 2}},  // 던
    {.tail = {"\xB3\xD7", 2}},  // 네
    {.tail = {"\xC1\xF8", 2}},  // 진
    {.tail = {"\xBA\xBB", 2}},  // 본
    {.tail = {"\xC7\xD1", 2}},  // 한
    {.tail = {"\xB0\xCD", 2}},  // 것
    {.tail = {"\xC4\xD1", 2}},  // 켜
    {.tail = {"\xB5\xE7", 2}},  // 든
    {.tail = {"\xC1\xFA", 2}},  // 질
    {.tail = {"\xB3\xBE", 2}},  // 낼
    {.tail = {"\xC3\xC4", 2}},  // 쳐
    {.tail = {"\xC8\xF9", 2}},  // 힌
    {.tail = {",", 1}},  // ,
    {.tail = {"\xB8\xE9", 2}, .excluded_heads = ending_myeon_excluded_heads},  // 면
    {.tail = {"\xC0\xC7", 2}, .excluded_heads = ending_ui_excluded_heads},  // 의
    {.tail = {"\xBE\xBF", 2}, .excluded_heads = ending_ssik_excluded_heads},  // 씩
    {.tail = {"\xB5\xB5", 2}, .excluded_heads = ending_do_excluded_heads},  // 도
    {.tail = {"\xB7\xCE", 2}, .excluded_befores = ending_ro_excluded_befores},  // 로
    {.tail = {"\xB0\xA1", 2},  // 가
     .excluded_befores = ending_ga_excluded_befores,
     .excluded_heads = ending_ga_excluded_heads},
    {.tail = {"\xB8\xB8", 2}, .excluded_heads = ending_man_excluded_heads},  // 만
    {.tail = {"\xB4\xCF", 2},  // 니
     .required_befores = ending_ni_required_befores,
     .excluded_heads = ending_ni_excluded_heads},
    {.tail = {"\xC0\xCC", 2}, .excluded_heads = ending_i_excluded_heads},  // 이
    {.tail = {"\xB0\xED", 2}, .excluded_heads = ending_go_excluded_heads},  // 고
    {.tail = {"\xB8\xB0", 2}, .excluded_befores = ending_rin_excluded_befores},  // 린
    {.tail = {"\xC0\xDA", 2}, .excluded_heads = ending_ja_excluded_heads},  // 자
    {.tail = {"\xBC\xAD", 2}, .excluded_heads = ending_seo_excluded_heads},  // 서
    {.tail = {"\xB1\xE2", 2},  // 기
     .excluded_befores = ending_gi_excluded_befores,
     .excluded_heads = ending_gi_excluded_heads},
    {.tail = {"\xC1\xF6", 2},  // 지
     .excluded_befores = ending_ji_excluded_befores,
     .excluded_heads = ending_ji_excluded_heads},
    {.tail = {"\xC0\xCE", 2}, .required_befores = ending_in_required_befores},  // 인
    {.tail = {"\xBE\xDF", 2}, .excluded_heads = ending_ya_excluded_heads},  // 야
};

}  // namespace

constexpr std::span<const Word> always_spaced_tails = always_spaced_tail_words;
constexpr std::span<const TailRule> excepted_tails = excepted_tail_rules;
constexpr std::span<const TailRule> single_word_rules = single_word_rule_table;
constexpr TailRule dani_rule = {.tail = {"\xB4\xD9\xB4\xCF", 4},  // 다니
                               .excluded_befores = dani_excluded_befores};
constexpr std::span<const TailRule> ending_rules = ending_rule_table;
