#include "pipeline/batch_run.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

#include "pipeline/file_conversion.h"
#include "pipeline/ordered_relay.h"
#include "pipeline/shared_output.h"
#include "pipeline/step_queue.h"

namespace tessaline {

namespace {

// Results of each converting thread that may wait for the disk at once: the one just written
// and the one before it.
constexpr size_t commits_per_job = 2;

void convert_one_by_one(const BatchRequest& request, BatchReport& report) {
    DirectOutput standard_output;
    for (const BatchFile& file : request.files) convert_file(file, request, standard_output, report);
}

// Each thread takes the next file not yet taken, so files start in the order of the batch. While
// a result waits for the disk before it is renamed into place, its thread converts the next file.
void convert_at_once(const BatchRequest& request, BatchReport& report) {
    OrderedRelay relay(report, request.files.size());
    StepQueue commits(request.jobs * commits_per_job);
    std::atomic<size_t> next = 0;
    auto work = [&] {
        for (size_t k; (k = next++) < request.files.size();)
            convert_file(request.files[k], request, relay.output_of(k), relay.report_of(k), &commits);
    };
    size_t threads = std::min<size_t>(request.jobs, request.files.size());
    std::vector<std::thread> helpers;
    try {
        while (helpers.size() + 1 < threads) helpers.emplace_back(work);
    } catch (const std::system_error&) {
        // The system gives no more threads: the ones it gave share the batch.
    }
    work();
    for (std::thread& helper : helpers) helper.join();
}

}  // namespace

BatchOutcome run_batch(const BatchRequest& request, BatchView& view) {
    BatchReport report(request, view);
    if (request.jobs <= 1 || request.files.size() <= 1) convert_one_by_one(request, report);
    else convert_at_once(request, report);
    return report.finish();
}

}  // namespace tessaline
