// Batches converted several files at once tell and write exactly what one file at a time does.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "pipeline/batch_run.h"
#include "tests/support/cp949.h"
#include "tests/support/recording_view.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A hard-wrapped novel of `paragraphs` paragraphs, each cut in two lines, in CP949.
std::string novel(int paragraphs) {
    std::string text;
    for (int k = 0; k < paragraphs; ++k)
        text += cp949(
            "그는 오래된 골목길을 따라 천천히 걸어가면서 옛날 생각에\r\n잠겨 있었다. \"어디 가니?\" 하고 물었다.\r\n");
    return text;
}

// What a batch showed and wrote.
struct BatchSeen {
    std::vector<std::string> calls;
    BatchOutcome outcome;
    std::string standard_output;
    std::vector<std::string> results;
};

class BatchJobsTest : public ::testing::Test {
protected:
    fs::path folder;

    void SetUp() override {
        char name[] = "/tmp/tessaline-jobs-XXXXXX";
        folder = mkdtemp(name);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Files of very different lengths, so later ones end before earlier ones, with one that
    // cannot be read and one whose result cannot be written among them.
    BatchRequest request_of_mixed_files() {
        std::vector<int> paragraphs = {40000, 30, 5, 20000, 0, 300, 1, 9000, 2};
        BatchRequest request;
        for (size_t k = 0; k < paragraphs.size(); ++k) {
            std::string name = "novel" + std::to_string(k) + ".txt";
            std::ofstream(folder / name, std::ios::binary) << novel(paragraphs[k]);
            request.files.push_back(BatchFile{(folder / name).string(), (folder / "out").string(), false});
        }
        request.files.insert(request.files.begin() + 2, BatchFile{(folder / "missing.txt").string(), "", false});
        fs::create_directories(folder / "out" / "novel6.txt");
        request.destination = Destination::OUTPUT_FOLDER;
        return request;
    }

    BatchSeen run(BatchRequest request, unsigned jobs) {
        request.jobs = jobs;
        fs::remove_all(folder / "out" / "novel0.txt");
        RecordingView recording;
        BatchSeen seen;
        fs::path captured = folder / ("stdout-" + std::to_string(jobs));
        std::fflush(stdout);
        int saved = dup(STDOUT_FILENO);
        FILE* file = std::fopen(captured.c_str(), "wb");
        dup2(fileno(file), STDOUT_FILENO);
        seen.outcome = run_batch(request, recording);
        dup2(saved, STDOUT_FILENO);
        close(saved);
        std::fclose(file);
        seen.calls = recording.calls;
        seen.standard_output = read_file(captured);
        for (const BatchFile& input : request.files)
            seen.results.push_back(read_file(folder / "out" / fs::path(input.path).filename()));
        return seen;
    }
};

TEST_F(BatchJobsTest, FilesAtOnceTellAndWriteWhatOneAtATimeDoes) {
    BatchRequest request = request_of_mixed_files();
    BatchSeen one_at_a_time = run(request, 1);
    EXPECT_EQ(one_at_a_time.outcome.converted, 8);
    EXPECT_EQ(one_at_a_time.outcome.failed, 2);
    for (unsigned jobs : {2u, 4u, 16u}) {
        BatchSeen at_once = run(request, jobs);
        EXPECT_EQ(at_once.calls, one_at_a_time.calls) << jobs << " at once";
        EXPECT_EQ(at_once.results, one_at_a_time.results) << jobs << " at once";
        EXPECT_EQ(at_once.outcome.failed, 2);
    }
}

TEST_F(BatchJobsTest, StandardOutputTakesTheResultsInTheOrderOfTheBatch) {
    BatchRequest request = request_of_mixed_files();
    request.destination = Destination::STANDARD_OUTPUT;
    BatchSeen one_at_a_time = run(request, 1);
    ASSERT_GT(one_at_a_time.standard_output.size(), size_t{4} << 20) << "results longer than what is held back";
    EXPECT_EQ(one_at_a_time.outcome.failed, 1) << "only the missing file";
    for (unsigned jobs : {3u, 8u}) {
        BatchSeen at_once = run(request, jobs);
        EXPECT_TRUE(at_once.standard_output == one_at_a_time.standard_output) << jobs << " at once";
        EXPECT_EQ(at_once.calls, one_at_a_time.calls) << jobs << " at once";
    }
}

}  // namespace

}  // namespace tessaline
