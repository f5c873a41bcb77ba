#include <benchmark/benchmark.h>

#include "document/html_document.h"
#include "document/report_document.h"
#include "run/calculation_run.h"

namespace {

using namespace vortane;

// The default case's page to hand on from its run: the document (with the
// profile along the channels) and its HTML with the inline chart, in the
// unit system of the argument (0 technical metric, 1 SI, 2 US customary).
void HtmlReport(benchmark::State& state) {
    const RunRequest request{DefaultTexts('.'), {}, '.', ReportTarget::None};
    const RunResult run = RunCalculation(request);
    const DocumentSource source{"case.vcase", "2026-12-08 12:00 +0000"};
    const auto system = static_cast<UnitSystem>(state.range(0));
    for (auto _ : state) {
        const std::string html = HtmlDocument(RunDocument(run, request.texts, {}, source, '.', system));
        benchmark::DoNotOptimize(html.data());
    }
}
BENCHMARK(HtmlReport)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
