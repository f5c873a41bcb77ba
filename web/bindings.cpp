// The page's binding to the core, with embind: PageSession and its plain
// values become JavaScript objects and arrays field by field, with no
// hand-written marshalling of each call (a C API would need one per value).
// Texts are UTF-8; the report goes over as its bytes (a Uint8Array), since
// its code page is not UTF-8.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <utility>

#include "web/page_session.h"

namespace {

using namespace emscripten;
using vortane::web::PageSession;

val ReportBytes(const PageSession& session) {
    const std::string& report = session.Report();
    // Copied out of the module's memory, which may grow and move.
    return val::global("Uint8Array")
        .new_(typed_memory_view(report.size(), reinterpret_cast<const unsigned char*>(report.data())))
        .call<val>("slice");
}

std::vector<vortane::web::PageField> Fields() { return vortane::web::PageFields('.'); }

// A search's progress handed to a JavaScript function of the runs made, which
// posts it to the page while the search goes on.
vortane::web::SearchProgress Progress(val callback) {
    if (callback.isUndefined() || callback.isNull()) return {};
    return [callback](int runs) { callback(runs); };
}

vortane::web::PageSearch GoalSeek(const PageSession& session, const std::vector<std::string>& texts,
                                  const std::string& varied, const std::string& target, val progress) {
    return session.GoalSeek(texts, varied, target, Progress(std::move(progress)));
}

vortane::web::PageSearch Optimise(const PageSession& session, const std::vector<std::string>& texts,
                                  const std::string& objective, const std::vector<std::string>& varied,
                                  val progress) {
    return session.Optimise(texts, objective, varied, Progress(std::move(progress)));
}

vortane::web::PageFront Front(const PageSession& session, const std::vector<std::string>& texts,
                              const std::vector<std::string>& objectives, const std::vector<std::string>& varied,
                              const std::string& units, val progress) {
    return session.Front(texts, objectives, varied, units, Progress(std::move(progress)));
}

}  // namespace

EMSCRIPTEN_BINDINGS(vortane_page) {
    using namespace vortane::web;
    register_vector<std::string>("Texts");
    register_vector<PageField>("Fields");
    register_vector<PageValue>("Values");
    register_vector<PageRow>("Rows");
    register_vector<PageQuantity>("Quantities");
    register_vector<PageStudyAxis>("StudyAxes");
    register_vector<PageGrade>("Grades");
    register_vector<int>("Indices");
    value_object<PageGrade>("Grade").field("name", &PageGrade::name).field("cells", &PageGrade::cells);
    value_object<PageGradeView>("GradeView")
        .field("error", &PageGradeView::error)
        .field("details", &PageGradeView::details)
        .field("chart", &PageGradeView::chart);
    value_object<PageApplied>("Applied")
        .field("error", &PageApplied::error)
        .field("texts", &PageApplied::texts)
        .field("material", &PageApplied::material)
        .field("missing", &PageApplied::missing);
    value_object<PageFront>("Front")
        .field("error", &PageFront::error)
        .field("outcome", &PageFront::outcome)
        .field("charts", &PageFront::charts)
        .field("header", &PageFront::header)
        .field("rows", &PageFront::rows)
        .field("knee", &PageFront::knee)
        .field("designs", &PageFront::designs)
        .field("csv", &PageFront::csv);
    value_object<PageRow>("Row").field("cells", &PageRow::cells);
    value_object<PageQuantity>("Quantity").field("name", &PageQuantity::name).field("caption", &PageQuantity::caption);
    value_object<PageStudyAxis>("StudyAxis")
        .field("field", &PageStudyAxis::field)
        .field("from", &PageStudyAxis::from)
        .field("to", &PageStudyAxis::to)
        .field("step", &PageStudyAxis::step);
    value_object<PageProgress>("Progress")
        .field("error", &PageProgress::error)
        .field("done", &PageProgress::done)
        .field("total", &PageProgress::total);
    value_object<PageComparison>("Comparison")
        .field("error", &PageComparison::error)
        .field("header", &PageComparison::header)
        .field("rows", &PageComparison::rows)
        .field("warnings", &PageComparison::warnings)
        .field("csv", &PageComparison::csv);
    value_object<PageSearch>("Search")
        .field("error", &PageSearch::error)
        .field("found", &PageSearch::found)
        .field("end", &PageSearch::end)
        .field("text", &PageSearch::text)
        .field("warnings", &PageSearch::warnings)
        .field("texts", &PageSearch::texts)
        .field("chart", &PageSearch::chart)
        .field("runs", &PageSearch::runs);
    value_object<PageField>("Field")
        .field("box", &PageField::box)
        .field("name", &PageField::name)
        .field("caption", &PageField::caption)
        .field("defaultText", &PageField::defaultText)
        .field("page", &PageField::page)
        .field("integer", &PageField::integer);
    value_object<PageValue>("Value").field("caption", &PageValue::caption).field("text", &PageValue::text);
    value_object<PageRun>("Run")
        .field("error", &PageRun::error)
        .field("outcome", &PageRun::outcome)
        .field("messages", &PageRun::messages)
        .field("completion", &PageRun::completion)
        .field("focusBox", &PageRun::focusBox)
        .field("detail", &PageRun::detail)
        .field("warnings", &PageRun::warnings)
        .field("channel", &PageRun::channel)
        .field("results", &PageRun::results)
        .field("indicators", &PageRun::indicators)
        .field("blocksHeld", &PageRun::blocksHeld)
        .field("chart", &PageRun::chart)
        .field("profileFault", &PageRun::profileFault)
        .field("hasReport", &PageRun::hasReport)
        .field("limits", &PageRun::limits)
        .field("verdict", &PageRun::verdict);
    value_object<PageText>("Text").field("error", &PageText::error).field("text", &PageText::text);
    value_object<PageCase>("Case")
        .field("error", &PageCase::error)
        .field("texts", &PageCase::texts)
        .field("limits", &PageCase::limits);
    function("fields", &Fields);
    function("pageTitles", &PageTitles);
    function("quantities", &PageQuantities);
    class_<PageSession>("Session")
        .constructor<std::string, std::string>()
        .function("run", &PageSession::Run)
        .function("lastRun", &PageSession::LastRun)
        .function("report", &ReportBytes)
        .function("html", &PageSession::Html)
        .function("openCase", &PageSession::OpenCase)
        .function("saveCase", &PageSession::SaveCase)
        .function("typedText", &PageSession::TypedText)
        .function("setLimits", &PageSession::SetLimits)
        .function("pin", &PageSession::Pin)
        .function("unpin", &PageSession::Unpin)
        .function("compare", &PageSession::Compare)
        .function("studyRange", &PageSession::StudyRange)
        .function("startStudy", &PageSession::StartStudy)
        .function("stepStudy", &PageSession::StepStudy)
        .function("studyCsv", &PageSession::StudyCsv)
        .function("studyChart", &PageSession::StudyChart)
        .function("studyStops", &PageSession::StudyStops)
        .function("goalSeek", &GoalSeek)
        .function("optimise", &Optimise)
        .function("front", &Front)
        .function("grades", &PageSession::Grades)
        .function("materialErrors", &PageSession::MaterialErrors)
        .function("findGrades", &PageSession::FindGrades)
        .function("gradeView", &PageSession::GradeView)
        .function("applyGrade", &PageSession::ApplyGrade);
}
