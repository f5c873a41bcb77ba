// The page's binding to the core, with embind: PageSession and its plain
// values become JavaScript objects and arrays field by field, with no
// hand-written marshalling of each call (a C API would need one per value).
// Texts are UTF-8; the report goes over as its bytes (a Uint8Array), since
// its code page is not UTF-8.
#include <emscripten/bind.h>
#include <emscripten/val.h>

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

}  // namespace

EMSCRIPTEN_BINDINGS(vortane_page) {
    using namespace vortane::web;
    register_vector<std::string>("Texts");
    register_vector<PageField>("Fields");
    register_vector<PageValue>("Values");
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
        .field("hasReport", &PageRun::hasReport);
    value_object<PageText>("Text").field("error", &PageText::error).field("text", &PageText::text);
    value_object<PageCase>("Case").field("error", &PageCase::error).field("texts", &PageCase::texts);
    function("fields", &Fields);
    function("pageTitles", &PageTitles);
    class_<PageSession>("Session")
        .constructor<std::string>()
        .function("run", &PageSession::Run)
        .function("lastRun", &PageSession::LastRun)
        .function("report", &ReportBytes)
        .function("html", &PageSession::Html)
        .function("openCase", &PageSession::OpenCase)
        .function("saveCase", &PageSession::SaveCase)
        .function("typedText", &PageSession::TypedText);
}
