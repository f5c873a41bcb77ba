#include "run/calculation_run.h"

#include <exception>
#include <optional>

#include "model/arithmetic.h"
#include "model/prepare_channel.h"
#include "model/temperature_iteration.h"
#include "report/report_writer.h"
#include "run/input_reading.h"

namespace vortane {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

using BlockWriter = void (*)(CaseData&, const ReportFile&, Messages&);

// Writes one report block, or counts it written when the run keeps no report.
void WriteBlock(BlockWriter writer, RunResult& result, const std::optional<ReportFile>& report) {
    if (!report) {
        result.data.FileOk = true;
        return;
    }
    writer(result.data, *report, result.messages);
    if (result.data.FileOk) ++result.blocksWritten;
}

// The stages in their order; returns how the run ended.
RunOutcome RunStages(RunResult& result, const RunRequest& request,
                     const std::optional<ReportFile>& report) {
    CaseData& data = result.data;
    result.rejectedBox = ReadInputData(data, request.texts, request.decimalSeparator, result.messages);
    if (!data.InputOk) return RunOutcome::InputRejected;
    WriteBlock(WriteInputData, result, report);
    if (!data.FileOk) return RunOutcome::FileNotOpened;

    ClearArithmeticFaults();
    PrepareChannel(data, result.messages);
    if (!data.WidthOk || !data.SectionOk) return RunOutcome::ChannelRejected;
    WriteBlock(WriteChannelData, result, report);
    if (!data.FileOk) return RunOutcome::FileNotOpened;

    do {
        SolvePressureAndTemperature(data, result.messages);
        ++result.passes;
    } while (!data.Converged && data.PressureOk && result.passes < PassLimit);
    if (!data.PressureOk) return RunOutcome::PressureTooLow;
    if (!data.Converged) {
        result.messages.emplace_back(message::NotConverging);
        return RunOutcome::NotConverged;
    }

    WriteBlock(WriteResults, result, report);
    if (!data.FileOk) return RunOutcome::FileNotOpened;
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

RunResult RunCalculation(const RunRequest& request) {
    RunResult result;
    try {
        std::optional<ReportFile> report;
        if (request.report == ReportTarget::File)
            report = ReportFile{CutResultFileName(request.resultFileName), request.decimalSeparator};
        result.outcome = RunStages(result, request, report);
    } catch (const std::exception& fault) {
        // An arithmetic fault, an I/O error, or anything else the core could
        // not finish: the run ends here with the fault's text.
        result.outcome = RunOutcome::Fault;
        result.fault = fault.what();
    }
    return result;
}

}  // namespace vortane
