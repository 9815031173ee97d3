#include "pipeline/batch_run.h"

#include "pipeline/file_conversion.h"
#include "pipeline/shared_output.h"

BatchOutcome run_batch(const BatchRequest& request, BatchView& view) {
    BatchReport report(request, view);
    DirectOutput standard_output;
    for (const BatchFile& file : request.files) convert_file(file, request, standard_output, report);
    return report.finish();
}
