#include <benchmark/benchmark.h>

#include "run/calculation_run.h"
#include "study/html_document.h"
#include "study/report_document.h"

namespace {

using namespace vortane;

// The default case's page to hand on from its run: the document (with the
// profile along the channels) and its HTML with the inline chart.
void HtmlReport(benchmark::State& state) {
    const RunRequest request{DefaultTexts('.'), {}, '.', ReportTarget::None};
    const RunResult run = RunCalculation(request);
    const DocumentSource source{"case.vcase", "2026-12-08 12:00 +0000"};
    for (auto _ : state) {
        const std::string html = HtmlDocument(RunDocument(run, request.texts, {}, source, '.'));
        benchmark::DoNotOptimize(html.data());
    }
}
BENCHMARK(HtmlReport)->Unit(benchmark::kMicrosecond);

}  // namespace
