#include "report/report_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "report/report_layout.h"
#include "run/calculation_run.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

namespace vortane {
namespace {

using testing::ReadBytes;
using testing::RecordingHost;
using testing::ScratchDir;

// The default case's report, line by line: the worked example of the report,
// in code page 932 (℃ is 0x81 0x8E).
const std::vector<std::string> DefaultReport = {
    "",
    "    [ Input Data ]",
    "    Barrel Diameter (cm)                        =  11.43",
    "    Number of Revolution (rpm)                  =  80.00",
    "    Output (kg/hr)                              =  267.0",
    "    Channel Length (cm)                         =  21.60",
    "    Barrier Width - 1 (cm)                      =  1.270",
    "    Barrier Width - 2 (cm)                      =  0.500",
    "    Barrier Clearance - 1 (cm)                  =  0.052",
    "    Barrier Clearance - 2 (cm)                  =  0.011",
    "    Channel Depth (cm)                          =  0.620",
    "    Bottom Corner Radius of Channel (cm)        =  1.300",
    "    Angle between Screw Axis and Channel (deg)  =  15.00",
    "    Number of Inlet (or Outlet) Channels (-)    =  5",
    "    Effective Number of Channels (-)            =  5",
    "    Inlet Melt Temperature (\x81\x8E)                 =  170.0",
    "    Inlet Solid Temperature (\x81\x8E)                =  87.0",
    "    Solid Ratio (-)                             =  0.100",
    "    Inlet Pressure (kgf/cm2)                    =  200.0",
    "    Melting Point (\x81\x8E)                          =  110.6",
    "    Density of Melt (g/cm3)                     =  0.770",
    "    Specific Heat of Solid (cal/g.\x81\x8E)           =  0.660",
    "    Heat of Fusion (cal/g)                      =  31.00",
    "    Specific Heat of Melt (cal/g.\x81\x8E)            =  0.620",
    "    (Coefficients of Viscosity)",
    "        A0                     =  6.83729",
    "        A1                     =  -0.661828",
    "        A11                    =  -0.0158406",
    "        A2                     =  -0.0149381",
    "        A22                    =  -4.7079E-7",
    "        A12                    =  0.0011946",
    "",
    "    [ Calculated Channel Characteristics ]",
    "    Channel Width (cm)                          =  2.583",
    "    Equiv. Ch. Width for Rect. Cross Sect. (cm) =  1.934",
    "    Channel Cross Section Area (cm2)            =  1.19883",
    "    Drag Flow Shape Factor (-)                  =  0.831",
    "    Pressure Flow Shape Factor (-)              =  0.798",
    "",
    "    [ Calculated Results ]",
    "    Relative Pressure at Inlet Channel End (-)    =  0.9084",
    "    Relative Pressure at Outlet Channel Start (-) =  0.9831",
    "    Relative Pressure at Outlet Channel End (-)   =  0.8915",
    "    Total Pressure Drop (kgf/cm2)                 =  21.69",
    "",
    "    Power Consumption at Mix. Part (kW)           =  5.693695",
    "    Average Melt Temp. at Inlet (\x81\x8E)              =  156.55",
    "    Average Melt Temp. at Outlet (\x81\x8E)             =  186.10",
    "    Temperature Difference (\x81\x8E)                   =  29.55",
};

std::string Joined(std::vector<std::string>::const_iterator from,
                   std::vector<std::string>::const_iterator to) {
    std::string bytes;
    for (auto line = from; line != to; ++line) bytes += *line + "\r\n";
    return bytes;
}

std::string FirstLines(std::size_t count) {
    return Joined(DefaultReport.begin(), DefaultReport.begin() + count);
}

class ReportFile : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string ReportPath() const { return dir.Path("result.txt").string(); }
};

TEST_F(ReportFile, DefaultCaseWritesTheWholeReportByteForByte) {
    RecordingHost host(ReportPath());
    const RunResult result = RunCalculation(host);
    EXPECT_EQ(result.outcome, RunOutcome::Complete);
    EXPECT_EQ(result.passes, 3);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.completions, 1);
    ASSERT_EQ(DefaultReport.size(), 49u);
    EXPECT_EQ(ReadBytes(ReportPath()), FirstLines(49));
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
    RecordingHost first(ReportPath());
    first.Set("ScrewSpeed", "60");
    RunCalculation(first);
    RecordingHost second(ReportPath());
    RunCalculation(second);
    EXPECT_EQ(ReadBytes(ReportPath()), FirstLines(49));
}

TEST_F(ReportFile, CommaLocaleWritesCommas) {
    RecordingHost host(ReportPath(), ',');
    EXPECT_EQ(RunCalculation(host).outcome, RunOutcome::Complete);
    const std::string report = ReadBytes(ReportPath());
    EXPECT_NE(report.find("    Barrel Diameter (cm)                        =  11,43\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("        A22                    =  -4,7079E-7\r\n"), std::string::npos);
    EXPECT_NE(report.find("    Power Consumption at Mix. Part (kW)           =  5,693695\r\n"),
              std::string::npos);
}

TEST_F(ReportFile, ChannelFailureLeavesTheInputBlock) {
    RecordingHost host(ReportPath());
    host.Set("InletChannelCount", "8");
    EXPECT_EQ(RunCalculation(host).outcome, RunOutcome::ChannelRejected);
    const std::string report = ReadBytes(ReportPath());
    EXPECT_EQ(report.substr(0, 2), "\r\n");
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 31);
}

TEST_F(ReportFile, PressureFailureLeavesInputAndChannelBlocks) {
    RecordingHost host(ReportPath());
    host.Set("InletPressure", "21");
    EXPECT_EQ(RunCalculation(host).outcome, RunOutcome::PressureTooLow);
    const std::string report = ReadBytes(ReportPath());
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 38);
    EXPECT_NE(report.find("    Inlet Pressure (kgf/cm2)                    =  21.0\r\n"),
              std::string::npos);
    const std::string lastLine = "    Pressure Flow Shape Factor (-)              =  0.798\r\n";
    EXPECT_EQ(report.substr(report.size() - lastLine.size()), lastLine);
}

TEST_F(ReportFile, MissingDirectoryCannotBeOpened) {
    const std::string path = dir.Path("no-such-dir/result.txt").string();
    RecordingHost host(path);
    EXPECT_EQ(RunCalculation(host).outcome, RunOutcome::FileNotOpened);
    EXPECT_EQ(host.messages, std::vector<std::string>{"File can not open!"});
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(host.completions, 0);
}

TEST_F(ReportFile, EmptyNameAndDirectoryNameCannotBeOpened) {
    for (const std::string& name : {std::string(), dir.Root().string()}) {
        RecordingHost host(name);
        EXPECT_EQ(RunCalculation(host).outcome, RunOutcome::FileNotOpened) << name;
        EXPECT_EQ(host.messages, std::vector<std::string>{"File can not open!"});
    }
}

TEST_F(ReportFile, AppendingWriterNeverCreatesTheFile) {
    CaseData data;
    testing::RecordingSink sink;
    const vortane::ReportFile report{ReportPath(), '.'};
    WriteChannelData(data, report, sink);
    EXPECT_FALSE(data.FileOk);
    EXPECT_EQ(sink.messages, std::vector<std::string>{"File can not open!"});
    EXPECT_FALSE(std::filesystem::exists(ReportPath()));
}

TEST_F(ReportFile, FullDeviceIsAnIoErrorThatEndsTheRun) {
    RecordingHost host("/dev/full");
    EXPECT_EQ(RunCalculation(host).outcome, RunOutcome::Fault);
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(host.faults.size(), 1u);
    EXPECT_EQ(host.faults[0], "I/O error while writing the report: No space left on device");
    EXPECT_EQ(host.completions, 0);
}

}  // namespace
}  // namespace vortane
