#include "run/calculation_run.h"

#include "model/arithmetic.h"
#include "model/prepare_channel.h"
#include "model/temperature_iteration.h"
#include "report/report_writer.h"
#include "run/input_fields.h"
#include "run/input_reading.h"

namespace vortane {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

InputTexts BoxTexts(const RunHost& host) {
    InputTexts texts;
    for (int box = 1; box <= InputCount; ++box) texts[box - 1] = host.BoxText(box);
    return texts;
}

using BlockWriter = void (*)(CaseData&, const ReportFile&, MessageSink&);

// Writes one report block, or counts it written when the run keeps no report.
void WriteBlock(BlockWriter writer, CaseData& data, const std::optional<ReportFile>& report,
                RunHost& host) {
    if (report)
        writer(data, *report, host);
    else
        data.FileOk = true;
}

// The stages in their order; returns how the run ended.
RunOutcome RunStages(RunResult& result, const std::optional<ReportFile>& report, RunHost& host) {
    CaseData& data = result.data;
    ReadInputData(data, BoxTexts(host), host.DecimalSeparator(), host);
    if (!data.InputOk) return RunOutcome::InputRejected;
    WriteBlock(WriteInputData, data, report, host);
    if (!data.FileOk) return RunOutcome::FileNotOpened;

    ClearArithmeticFaults();
    PrepareChannel(data, host);
    if (!data.WidthOk || !data.SectionOk) return RunOutcome::ChannelRejected;
    WriteBlock(WriteChannelData, data, report, host);
    if (!data.FileOk) return RunOutcome::FileNotOpened;

    do {
        SolvePressureAndTemperature(data, host);
        ++result.passes;
    } while (!data.Converged && data.PressureOk && result.passes < PassLimit);
    if (!data.PressureOk) return RunOutcome::PressureTooLow;
    if (!data.Converged) {
        host.ShowMessage(message::NotConverging);
        return RunOutcome::NotConverged;
    }

    WriteBlock(WriteResults, data, report, host);
    if (!data.FileOk) return RunOutcome::FileNotOpened;
    host.RunCompleted();
    return RunOutcome::Complete;
}

}  // namespace

std::string CutResultFileName(std::string_view text) {
    if (text.size() <= ResultFileNameLimit) return std::string(text);
    // Drop a character whose bytes would be cut (a UTF-8 character has at most
    // three continuation bytes).
    std::size_t length = ResultFileNameLimit;
    while (length > ResultFileNameLimit - 3 && IsContinuationByte(text[length])) --length;
    if (IsContinuationByte(text[length])) length = ResultFileNameLimit;
    return std::string(text.substr(0, length));
}

RunResult RunCalculation(RunHost& host) { return RunCalculation(host, ReportTarget::File); }

RunResult RunCalculation(RunHost& host, ReportTarget target) {
    std::optional<ReportFile> report;
    if (target == ReportTarget::File)
        report = ReportFile{CutResultFileName(host.ResultFileText()), host.DecimalSeparator()};
    RunResult result;
    try {
        result.outcome = RunStages(result, report, host);
    } catch (const ArithmeticFault& fault) {
        result.outcome = RunOutcome::Fault;
        host.ShowFault(fault.what());
    } catch (const ReportIoError& error) {
        result.outcome = RunOutcome::Fault;
        host.ShowFault(error.what());
    }
    return result;
}

}  // namespace vortane
