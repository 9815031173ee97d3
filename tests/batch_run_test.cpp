#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/convert_command.h"
#include "app/selection.h"
#include "pipeline/min_length.h"
#include "pipeline/preview.h"
#include "pipeline/text_file_name.h"
#include "tests/support/cp949.h"
#include "tests/support/recording_view.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

using Texts = std::vector<std::string>;

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A novel of `sentences` short paragraphs, each a line of its own, in CP949.
std::string novel(int sentences) {
    std::string text;
    for (int k = 0; k < sentences; ++k) text += cp949("그는 천천히 언덕길을 걸어 올라갔다.\r\n");
    return text;
}

// One paragraph hard-wrapped in the middle of a sentence, so it has one joint.
std::string wrapped_paragraph() {
    return cp949("그는 오래된 골목길을 따라 천천히 걸어가면서 옛날 생각에\r\n잠겨 있었다.\r\n");
}

std::string without_spaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

// The window's option controls as the convert button finds them; reading and unchecking are
// recorded among the view's calls, so their order shows.
struct RecordingControls final : OptionControls {
    RecordingView& recording;
    std::array<bool, 4> checkboxes = {true, false, true, false};  // ids 1 to 4, as the window starts
    std::string min_length = "15";

    explicit RecordingControls(RecordingView& into) : recording(into) {}
    std::array<bool, 4> check_states() override {
        recording.record("read_checkboxes", "");
        return checkboxes;
    }
    std::string min_length_text() override {
        recording.record("read_min_length_text", "");
        return min_length;
    }
    void uncheck_mark_joins() override {
        checkboxes[3] = false;
        recording.record("uncheck_mark_joins", "");
    }
};

class BatchRunTest : public ::testing::Test {
protected:
    fs::path folder;
    RecordingView recording;
    RecordingControls controls{recording};

    void SetUp() override {
        char name[] = "/tmp/tessaline-batch-XXXXXX";
        folder = mkdtemp(name);
        selection_ready = 0;
        txt_file_count = 0;
    }

    void press_convert() { convert_selection(controls, recording); }
    void TearDown() override { fs::remove_all(folder); }

    void make_file(const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }

    // Fills the selection as the open dialog does and counts its text files as the window does.
    void choose(const std::string& selection) {
        std::memset(selection_buffer, 0, selection_buffer_size);
        std::memcpy(selection_buffer, selection.data(), selection.size());
        selection_ready = 1;
        txt_file_count = 0;
        for_each_text_file([](const char*, size_t) { ++txt_file_count; });
    }

    void choose_single(const std::string& path) { choose(path); }

    void choose_multiple(const std::vector<std::string>& names) {
        std::string selection = folder.string() + '\0';
        for (const auto& name : names) selection += name + '\0';
        choose(selection);
    }

    std::string output_of(const std::string& name) { return read_file(folder / "Tessaline" / name); }
    std::string path_of(const std::string& name) { return folder.string() + "/" + name; }
};

TEST(TextFileTest, LooksAtTheLastThreeCharactersInAnyCase) {
    struct Case {
        const char* name;
        bool passes;
    } cases[] = {{"a.txt", true},  {"b.TXT", true}, {"c.TxT", true}, {"mytxt", true},      {"txt", true},
                 {"c.doc", false}, {"xt", false},   {"", false},     {"a.txt.bak", false}, {"a.tx", false}};
    for (const auto& c : cases) EXPECT_EQ(passes_text_file_test(c.name), c.passes) << c.name;
}

TEST(MinLength, IsReadLikeAtoiOverNineCharactersAndDoubled) {
    struct Case {
        const char* text;
        int32_t bytes;
    } cases[] = {{"15", 30},        {"abc", 0},        {"1234567890", 246913578},
                 {"", 0},           {"  7", 14},       {"-5", -10},
                 {"+8x", 16},       {"12 34", 24},     {"\t\n 20", 40},
                 {"        9", 18}, {"         9", 0}, {"999999999", 1999999998}};
    for (const auto& c : cases) EXPECT_EQ(min_line_bytes_from(c.text), c.bytes) << c.text;
}

TEST_F(BatchRunTest, MultipleSelectionConvertsTheTextFilesInOrder) {
    make_file("a.txt", novel(200));
    make_file("b.TXT", novel(150));
    make_file("c.doc", novel(10));
    choose_multiple({"a.txt", "b.TXT", "c.doc"});
    ASSERT_EQ(txt_file_count, 2);
    press_convert();

    EXPECT_EQ(recording.of("show_path"), (Texts{path_of("a.txt"), path_of("b.TXT")}));
    EXPECT_EQ(recording.of("set_status"),
              (Texts{cp949("2 / 1 번째파일 처리중.."), cp949("2 / 2 번째파일 처리중.."), cp949("2개 파일 처리완료.")}));
    EXPECT_EQ(recording.of("show_message"), Texts{cp949("2개 파일 처리완료.\nTessaline 폴더에 자장되었습니다.")});
    EXPECT_EQ(recording.of("set_batch_progress"), (Texts{"1", "2"}));
    EXPECT_EQ(recording.of("refresh").size(), 2u);
    EXPECT_EQ(recording.of("read_min_length_text").size(), 1u);
    EXPECT_EQ(recording.of("read_checkboxes").size(), 1u);

    Texts previews = recording.of("show_preview");
    ASSERT_EQ(previews.size(), 2u);
    EXPECT_EQ(previews[0], output_of("a.txt").substr(0, 3000) + dotted_tail);
    EXPECT_GT(output_of("b.TXT").size(), 3000u);
    EXPECT_EQ(previews[1], output_of("b.TXT"));
    EXPECT_FALSE(fs::exists(folder / "Tessaline" / "c.doc"));
    EXPECT_EQ(selection_ready, 0);
    EXPECT_EQ(recording.of("uncheck_mark_joins").size(), 1u);
}

TEST_F(BatchRunTest, EachFileGoesThroughItsStepsInOrder) {
    make_file("a.txt", novel(3));
    choose_multiple({"a.txt"});
    press_convert();
    Texts order;
    for (const auto& call : recording.calls) {
        std::string operation = call.substr(0, call.find(':'));
        if (operation != "set_file_progress" && (order.empty() || order.back() != operation))
            order.push_back(operation);
    }
    EXPECT_EQ(order, (Texts{"read_min_length_text", "read_checkboxes", "show_path", "set_status", "show_preview",
                            "set_batch_progress", "refresh", "set_status", "show_message", "uncheck_mark_joins"}));
}

TEST_F(BatchRunTest, NoTextFileAtAllShowsOnlyTheFinalTexts) {
    make_file("c.doc", novel(3));
    choose_multiple({"c.doc", "d.hwp"});
    ASSERT_EQ(txt_file_count, 0);
    press_convert();
    EXPECT_TRUE(recording.of("show_path").empty());
    EXPECT_EQ(recording.of("set_status"), Texts{cp949("0개 파일 처리완료.")});
    EXPECT_EQ(recording.of("show_message"), Texts{cp949("0개 파일 처리완료.\nTessaline 폴더에 자장되었습니다.")});
    EXPECT_FALSE(fs::exists(folder / "Tessaline"));
}

TEST_F(BatchRunTest, AFileThatCannotBeOpenedIsNamedAndNotCountedAsProcessed) {
    make_file("a.txt", novel(200));
    make_file("c.txt", novel(200));
    choose_multiple({"a.txt", "missing.txt", "c.txt"});
    ASSERT_EQ(txt_file_count, 3);
    press_convert();

    EXPECT_EQ(recording.of("set_status"), (Texts{cp949("3 / 1 번째파일 처리중.."), cp949("3 / 2 번째파일 처리중.."),
                                                 cp949("2개 파일 처리완료. 1개 파일 처리실패: missing.txt")}));
    EXPECT_EQ(recording.of("show_message"),
              Texts{cp949("2개 파일 처리완료.\nTessaline 폴더에 자장되었습니다.\n1개 파일 처리실패:\nmissing.txt")});
    EXPECT_EQ(recording.of("set_batch_progress"), (Texts{"1", "2"}));
    Texts previews = recording.of("show_preview");
    ASSERT_EQ(previews.size(), 2u);
    EXPECT_EQ(previews[1].size(), 3000u + dotted_tail_length);
    EXPECT_TRUE(fs::exists(folder / "Tessaline" / "c.txt"));
    EXPECT_EQ(selection_ready, 0);
}

TEST_F(BatchRunTest, AnOutputFolderThatCannotBeCreatedFailsEveryFile) {
    make_file("a.txt", novel(3));
    make_file("b.txt", novel(3));
    make_file("Tessaline", "a file where the folder should be");
    choose_multiple({"a.txt", "b.txt"});
    press_convert();
    EXPECT_EQ(recording.of("set_status").back(), cp949("2개 파일 처리실패: a.txt, b.txt"));
    EXPECT_EQ(recording.of("show_message"), Texts{cp949("2개 파일 처리실패:\na.txt\nb.txt")});
    EXPECT_TRUE(recording.of("show_preview").empty());
    EXPECT_EQ(recording.of("set_batch_progress"), (Texts{"1", "2"}));
}

TEST_F(BatchRunTest, ManyFailuresAreNamedUpToALimit) {
    std::vector<std::string> names;
    for (int k = 0; k < 23; ++k) names.push_back("gone" + std::to_string(k) + ".txt");
    choose_multiple(names);
    press_convert();
    std::string message = recording.of("show_message").front();
    EXPECT_EQ(message.find(cp949("23개 파일 처리실패:\ngone0.txt\ngone1.txt\n")), 0u);
    EXPECT_NE(message.find("\ngone19.txt\n" + cp949("외 3개")), std::string::npos);
    EXPECT_EQ(message.find("gone20.txt"), std::string::npos);
}

TEST_F(BatchRunTest, SingleSelectionConvertsAnyFile) {
    make_file("notes.doc", novel(5));
    choose_single(path_of("notes.doc"));
    ASSERT_EQ(txt_file_count, 0);
    press_convert();
    EXPECT_EQ(recording.of("show_path"), Texts{path_of("notes.doc")});
    EXPECT_EQ(recording.of("set_status"), Texts{cp949("1개 파일 처리 완료.")});
    EXPECT_EQ(recording.of("show_message"), Texts{cp949("1개 파일 처리완료.\nTessaline 폴더에 자장되었습니다.")});
    EXPECT_TRUE(recording.of("refresh").empty());
    EXPECT_TRUE(recording.of("set_batch_progress").empty());
    EXPECT_EQ(recording.of("show_preview"), Texts{output_of("notes.doc")});
    EXPECT_EQ(selection_ready, 0);
}

TEST_F(BatchRunTest, ASingleFileThatFailsIsNamedAndCanBeTriedAgain) {
    choose_single(path_of("missing.txt"));
    controls.checkboxes[3] = true;
    press_convert();
    EXPECT_EQ(recording.of("set_status"), Texts{cp949("1개 파일 처리실패: missing.txt")});
    EXPECT_EQ(recording.of("show_message"), Texts{cp949("1개 파일 처리실패:\nmissing.txt")});
    EXPECT_EQ(selection_ready, 1);
    EXPECT_FALSE(controls.checkboxes[3]);

    make_file("missing.txt", novel(3));
    press_convert();
    EXPECT_EQ(recording.of("set_status").back(), cp949("1개 파일 처리 완료."));
    EXPECT_EQ(selection_ready, 0);
}

TEST_F(BatchRunTest, ASingleFileThatCannotBeWrittenIsNotReportedAsProcessed) {
    make_file("a.txt", novel(3));
    make_file("Tessaline", "in the way");
    choose_single(path_of("a.txt"));
    press_convert();
    EXPECT_EQ(recording.of("set_status"), Texts{cp949("1개 파일 처리실패: a.txt")});
    EXPECT_EQ(selection_ready, 1);
}

TEST_F(BatchRunTest, TheJoinMarkAppliesToOneRunOnly) {
    make_file("a.txt", wrapped_paragraph());
    choose_single(path_of("a.txt"));
    controls.checkboxes[3] = true;
    press_convert();
    EXPECT_NE(output_of("a.txt").find('`'), std::string::npos) << "the join mark was on for this run";
    EXPECT_FALSE(controls.checkboxes[3]);

    choose_multiple({"a.txt"});
    controls.checkboxes[3] = true;
    press_convert();
    EXPECT_FALSE(controls.checkboxes[3]);
    EXPECT_EQ(recording.of("uncheck_mark_joins").size(), 2u);

    choose_single(path_of("a.txt"));
    press_convert();
    EXPECT_EQ(output_of("a.txt").find('`'), std::string::npos) << "the next run has no join mark";
}

TEST_F(BatchRunTest, TheRequestTakesTheControlsAsTheyStand) {
    // split long sentences, remove Hanja, blank after long, join mark, minimum bytes
    using Options = std::vector<int>;
    struct Case {
        std::array<bool, 4> checked;
        const char* min_length;
        Options expected;
    } cases[] = {
        {{true, false, true, false}, "15", {1, 0, 1, 0, 30}},
        {{false, true, false, true}, "abc", {0, 1, 0, 1, 0}},
        {{true, true, true, true}, " 7x", {1, 1, 1, 1, 14}},
    };
    make_file("a.txt", novel(3));
    choose_multiple({"a.txt", "b.doc", "c.txt"});
    for (const auto& c : cases) {
        controls.checkboxes = c.checked;
        controls.min_length = c.min_length;
        BatchRequest request = selection_request(controls);
        const ConversionOptions& got = request.options;
        EXPECT_EQ(Options({got.split_long_sentences, got.remove_hanja, got.blank_after_long, got.mark_joins,
                           got.min_line_bytes}),
                  c.expected)
            << c.min_length;
        ASSERT_EQ(request.files.size(), 2u);
        EXPECT_EQ(request.files[1].path, path_of("c.txt"));
        EXPECT_EQ(request.shape, RunShape::FILE_LIST);
        EXPECT_EQ(request.destination, Destination::TESSALINE_FOLDER);
        EXPECT_EQ(request.jobs, 1u) << "the window converts one file at a time";
    }
}

TEST_F(BatchRunTest, TheConvertButtonDoesNothingWithoutAFreshChoice) {
    controls.checkboxes[3] = true;
    press_convert();
    EXPECT_TRUE(recording.calls.empty());

    make_file("a.txt", novel(3));
    choose_single(path_of("a.txt"));
    press_convert();
    recording.calls.clear();
    controls.checkboxes[3] = true;
    press_convert();
    EXPECT_TRUE(recording.calls.empty());
    EXPECT_TRUE(controls.checkboxes[3]);
}

TEST_F(BatchRunTest, ARootFolderGetsOneMoreSeparator) {
    choose(std::string("/") + '\0' + "no-such-novel-here.txt");
    press_convert();
    EXPECT_EQ(recording.of("show_path"), Texts{"//no-such-novel-here.txt"});
}

TEST_F(BatchRunTest, HardWrappedParagraphsComeOutOnOneLineEach) {
    const std::string paragraphs[] = {
        "옛날 어느 깊은 산골 마을에 마음씨 착한 나무꾼 한 사람이 살고 있었는데 "
        "그는 날마다 산에 올라가 나무를 해서 장에 내다 팔았다.",
        "어느 날 나무꾼이 산속에서 도끼질을 하고 있을 때 어디선가 사슴 한 마리가 "
        "헐레벌떡 뛰어와서 살려 달라고 애원하였다.",
    };
    std::string wrapped;
    for (const auto& paragraph : paragraphs) {
        size_t cut =
            paragraph.find("그는 ") != std::string::npos ? paragraph.find("그는 ") : paragraph.find("헐레벌떡");
        wrapped += cp949(paragraph.substr(0, cut - 1)) + "\r\n" + cp949(paragraph.substr(cut)) + "\r\n";
    }
    make_file("novel.txt", wrapped);
    choose_single(path_of("novel.txt"));
    press_convert();

    std::string output = utf8(output_of("novel.txt"));
    std::string body = output.substr(0, output.find("[modify by Tessaline"));
    std::erase(body, '\r');
    Texts lines;
    std::stringstream split(body);
    for (std::string line; std::getline(split, line);)
        if (!line.empty()) lines.push_back(without_spaces(line));
    EXPECT_EQ(lines, (Texts{without_spaces(paragraphs[0]), without_spaces(paragraphs[1])})) << output;
}

}  // namespace

}  // namespace tessaline
