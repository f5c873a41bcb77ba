#include "report/report_writer.h"

#include <gtest/gtest.h>


#include "report/report_layout.h"
#include "run/calculation_run.h"
#include "support/case_request.h"
#include "support/default_report.h"
#include "support/scratch_dir.h"

namespace vortane {
namespace {

using testing::DefaultReport;
using testing::DefaultReportLines;
using testing::ReadBytes;
using testing::CaseRequest;
using testing::ScratchDir;

class ReportFile : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string ReportPath() const { return dir.Path("result.txt").string(); }
};

TEST_F(ReportFile, DefaultCaseWritesTheWholeReportByteForByte) {
    const RunResult result = RunCalculation(CaseRequest(ReportPath()));
    EXPECT_EQ(result.outcome, RunOutcome::Complete);
    EXPECT_EQ(result.passes, 3);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.blocksWritten, 3);
    ASSERT_EQ(DefaultReport.size(), 49u);
    EXPECT_EQ(ReadBytes(ReportPath()), DefaultReportLines(49));
}

TEST_F(ReportFile, LabelsLineUpInBytes) {
    for (const auto& line : DefaultReport) {
        if (line.size() < 40 || line.find('=') == std::string::npos) continue;
        const std::size_t equals = line.find("=  ");
        // 1-based positions 49, 32 and 51 of the three kinds of block.
        EXPECT_TRUE(equals == 48 || equals == 31 || equals == 50) << line;
    }
    EXPECT_EQ(ValueLabel(4, "Inlet Melt Temperature (℃)", 51),
              "    Inlet Melt Temperature (\x81\x8E)                 =  ");
    EXPECT_EQ(ValueLabel(4, "Inlet Melt Temperature (℃)", 51).size(), 51u);
}

TEST_F(ReportFile, ASecondRunReplacesTheFirst) {
    RunCalculation(CaseRequest(ReportPath(), {{"ScrewSpeed", "60"}}));
    RunCalculation(CaseRequest(ReportPath()));
    EXPECT_EQ(ReadBytes(ReportPath()), DefaultReportLines(49));
}

TEST_F(ReportFile, CommaLocaleWritesCommas) {
    EXPECT_EQ(RunCalculation(CaseRequest(ReportPath(), {}, ',')).outcome, RunOutcome::Complete);
    const std::string report = ReadBytes(ReportPath());
    EXPECT_NE(report.find("    Barrel Diameter (cm)                        =  11,43\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("        A22                    =  -4,7079E-7\r\n"), std::string::npos);
    EXPECT_NE(report.find("    Power Consumption at Mix. Part (kW)           =  5,693695\r\n"),
              std::string::npos);
}

TEST_F(ReportFile, ChannelFailureLeavesTheInputBlock) {
    EXPECT_EQ(RunCalculation(CaseRequest(ReportPath(), {{"InletChannelCount", "8"}})).outcome, RunOutcome::ChannelRejected);
    const std::string report = ReadBytes(ReportPath());
    EXPECT_EQ(report.substr(0, 2), "\r\n");
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 31);
}

TEST_F(ReportFile, PressureFailureLeavesInputAndChannelBlocks) {
    EXPECT_EQ(RunCalculation(CaseRequest(ReportPath(), {{"InletPressure", "21"}})).outcome, RunOutcome::PressureTooLow);
    const std::string report = ReadBytes(ReportPath());
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 38);
    EXPECT_NE(report.find("    Inlet Pressure (kgf/cm2)                    =  21.0\r\n"),
              std::string::npos);
    const std::string lastLine = "    Pressure Flow Shape Factor (-)              =  0.798\r\n";
    EXPECT_EQ(report.substr(report.size() - lastLine.size()), lastLine);
}

}  // namespace
}  // namespace vortane
