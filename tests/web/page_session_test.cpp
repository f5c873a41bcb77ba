#include "web/page_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "case/input_fields.h"
#include "case/messages.h"
#include "result/compose_case.h"
#include "support/scratch_dir.h"

namespace vortane::web {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;

std::vector<std::string> Defaults() {
    const InputTexts texts = DefaultTexts('.');
    return {texts.begin(), texts.end()};
}

TEST(PageFields, AreTheInputTableOnTheWindowsThreePages) {
    const std::vector<PageField> fields = PageFields(',');
    ASSERT_EQ(fields.size(), static_cast<std::size_t>(InputCount));
    std::vector<int> perPage(3, 0);
    for (const PageField& field : fields) {
        const InputField& input = InputFields()[field.box - 1];
        EXPECT_EQ(field.caption, input.caption);
        EXPECT_EQ(field.name, input.name);
        EXPECT_EQ(field.defaultText, DefaultText(input, ','));
        ++perPage.at(field.page);
    }
    EXPECT_EQ(fields[0].defaultText, "11,43");
    EXPECT_TRUE(fields[11].integer);
    EXPECT_EQ(perPage, (std::vector<int>{11, 11, 6}));
    EXPECT_EQ(PageTitles(), (std::vector<std::string>{"Input Data 1", "Input Data 2", "Input Data 3"}));
}

// The page's report is the file the run writes, read back whole: the same
// bytes as a run of the same texts straight into a file.
TEST(PageSession, DefaultRunShowsCompletionResultsChartAndItsReport) {
    const ScratchDir dir;
    PageSession session(dir.Path("page.txt").string());
    const PageRun run = session.Run(Defaults(), "metric");
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(run.outcome, "complete");
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(run.completion, "Calculation is successfully finished !");
    EXPECT_EQ(run.focusBox, 0);
    EXPECT_FALSE(run.results.empty());
    EXPECT_FALSE(run.indicators.empty());
    EXPECT_EQ(run.chart.rfind("<svg", 0), 0U);
    EXPECT_TRUE(run.hasReport);

    const RunResult direct = RunCalculation({DefaultTexts('.'), dir.Path("direct.txt").string()});
    ASSERT_EQ(direct.outcome, RunOutcome::Complete);
    EXPECT_EQ(session.Report(), ReadBytes(dir.Path("direct.txt")));

    // In another system: the same run, its captions in that system's units.
    const PageRun us = session.LastRun("us");
    ASSERT_EQ(us.results.size(), run.results.size());
    EXPECT_NE(us.results, run.results);
    const PageText html = session.Html("si");
    EXPECT_EQ(html.error, "");
    EXPECT_NE(html.text.find("<svg"), std::string::npos);
}

TEST(PageSession, StoppedRunNamesItsBoxAndNeverKeepsAnEarlierReport) {
    const ScratchDir dir;
    PageSession session(dir.Path("page.txt").string());
    ASSERT_TRUE(session.Run(Defaults(), "metric").hasReport);
    const std::string complete = session.Report();

    std::vector<std::string> texts = Defaults();
    texts[2] = "abc";  // Output
    const PageRun rejected = session.Run(texts, "metric");
    EXPECT_EQ(rejected.outcome, "input");
    EXPECT_EQ(rejected.messages, std::vector<std::string>{std::string(message::InputNotProper)});
    EXPECT_EQ(rejected.completion, "");
    EXPECT_EQ(rejected.focusBox, 3);
    EXPECT_EQ(rejected.chart, "");
    EXPECT_NE(session.Report(), complete);

    // An arithmetic fault: its text the last message, the box it follows from focused.
    texts = Defaults();
    texts[8] = "0";  // Channel Depth
    InputTexts boxes;
    std::copy(texts.begin(), texts.end(), boxes.begin());
    const RunResult direct = RunCalculation({boxes, dir.Path("direct.txt").string()});
    ASSERT_EQ(direct.outcome, RunOutcome::Fault);
    ASSERT_NE(direct.faultBox, 0);
    const PageRun fault = session.Run(texts, "metric");
    EXPECT_EQ(fault.outcome, "fault");
    ASSERT_FALSE(fault.messages.empty());
    EXPECT_EQ(fault.messages.back(), direct.fault);
    EXPECT_EQ(fault.focusBox, direct.faultBox);
}

TEST(PageSession, RefusesWhatIsNoCallOfTheCore) {
    const ScratchDir dir;
    PageSession session(dir.Path("page.txt").string());
    EXPECT_EQ(session.LastRun("metric").error, "no run yet");
    EXPECT_EQ(session.Html("metric").error, "no run yet");
    EXPECT_EQ(session.Run(std::vector<std::string>(27, "1"), "metric").error,
              "27 box texts given where the case has 28");
    EXPECT_EQ(session.Run(Defaults(), "imperial").error,
              "units 'imperial': the systems are 'metric', 'si' and 'us'");
    EXPECT_EQ(session.SaveCase({}).error, "0 box texts given where the case has 28");
    EXPECT_EQ(session.TypedText(29, "1").error, "no box Edit29");
}

TEST(PageSession, OpensAndSavesCasesInTheDesktopsFormat) {
    const ScratchDir dir;
    PageSession session(dir.Path("page.txt").string());
    const PageCase opened =
        session.OpenCase("plant.vcase", "OutputRate = 350\nLimit = TemperatureRise<=30\n");
    ASSERT_EQ(opened.error, "");
    ASSERT_EQ(opened.texts.size(), static_cast<std::size_t>(InputCount));
    EXPECT_EQ(opened.texts[2], "350");
    EXPECT_EQ(opened.texts[0], "11.43");

    // Saved and opened again: the same texts, and the case's limit kept.
    std::vector<std::string> texts = opened.texts;
    texts[1] = "95";
    const PageText saved = session.SaveCase(texts);
    ASSERT_EQ(saved.error, "");
    EXPECT_NE(saved.text.find("Limit = TemperatureRise<=30"), std::string::npos);
    EXPECT_EQ(session.OpenCase("again.vcase", saved.text).texts, texts);

    // Refused, naming the file: not a case, a limit on nothing, too large;
    // the texts opened before stay.
    EXPECT_EQ(session.OpenCase("picture.png", "\x89PNG\r\n").error.rfind("picture.png:1: ", 0), 0U);
    EXPECT_EQ(session.OpenCase("odd.vcase", "Limit = Colour<=3\n").error.rfind("odd.vcase:1: ", 0), 0U);
    const std::string large(CaseFileSizeLimit + 1, '#');
    EXPECT_EQ(session.OpenCase("large.vcase", large).error,
              "large.vcase: 1048577 bytes is too large for a case file (at most 1048576 bytes)");
    EXPECT_EQ(session.OpenCase("full.vcase", std::string(CaseFileSizeLimit, '#')).error, "");
}

TEST(PageSession, TypedUnitsBecomeTheBoxsNumberOrAreRefusedByCaption) {
    const ScratchDir dir;
    const PageSession session(dir.Path("page.txt").string());
    EXPECT_EQ(session.TypedText(3, "100 kg/hr").text, "100");
    EXPECT_EQ(session.TypedText(3, "267.0").text, "267.0");
    const PageText refused = session.TypedText(3, "350 psi");
    EXPECT_EQ(refused.error.rfind("Output (kg/hr)\n", 0), 0U);
    EXPECT_EQ(refused.text, "");
}

}  // namespace
}  // namespace vortane::web
