#include "run/calculation_run.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "case/excerpt.h"
#include "model/arithmetic.h"
#include "model/prepare_channel.h"
#include "model/temperature_iteration.h"
#include "report/report_writer.h"
#include "run/input_reading.h"
#include "run/run_warnings.h"
#include "run/stop_detail.h"

namespace vortane {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

using BlockWriter = void (*)(CaseData&, ReportFile&, Messages&);

// Writes one report block, or counts it written when the run keeps no report.
// A file that cannot be opened is named, with the system's reason.
void WriteBlock(BlockWriter writer, RunResult& result, std::optional<ReportFile>& report) {
    if (!report) {
        result.data.FileOk = true;
        return;
    }
    writer(result.data, *report, result.messages);
    if (result.data.FileOk)
        ++result.blocksWritten;
    else
        result.detail = FileDetail(report->ResultFileName, report->openFailure);
}

// The passes of the temperature iteration; returns how they ended.
RunOutcome IterateTemperature(RunResult& result, char sep) {
    CaseData& data = result.data;
    double largestLoss = 0;
    double workingTemp = data.WorkingTemp;
    do {
        workingTemp = data.WorkingTemp;
        SolvePressureAndTemperature(data, result.messages);
        ++result.passes;
        largestLoss = std::max(largestLoss, InletChannelLoss(data));
    } while (!data.Converged && data.PressureOk && result.passes < PassLimit);
    if (!data.PressureOk) {
        result.leastInletPressure = LeastPassingInletPressure(data, largestLoss, result.passes - 1);
        if (result.leastInletPressure) result.detail = InletPressureDetail(*result.leastInletPressure, sep);
        return RunOutcome::PressureTooLow;
    }
    result.leastInletPressure = largestLoss;
    if (!data.Converged) {
        result.messages.emplace_back(message::NotConverging);
        result.detail = AlternationDetail(workingTemp, data.WorkingTemp, sep);
        return RunOutcome::NotConverged;
    }
    return RunOutcome::Complete;
}

// The stages in their order; returns how the run ended.
RunOutcome RunStages(RunResult& result, const RunRequest& request,
                     std::optional<ReportFile>& report) {
    CaseData& data = result.data;
    const char sep = request.decimalSeparator;
    result.rejectedBox = ReadInputData(data, request.texts, sep, result.messages);
    if (!data.InputOk) {
        const int box = result.rejectedBox;
        result.detail = RejectedBoxDetail(InputFields()[box - 1], request.texts[box - 1]);
        return RunOutcome::InputRejected;
    }
    WriteBlock(WriteInputData, result, report);
    if (!data.FileOk) return RunOutcome::FileNotOpened;

    PrepareChannel(data, result.messages);
    if (!data.WidthOk || !data.SectionOk) return RunOutcome::ChannelRejected;
    WriteBlock(WriteChannelData, result, report);
    if (!data.FileOk) return RunOutcome::FileNotOpened;

    if (const RunOutcome passes = IterateTemperature(result, sep); passes != RunOutcome::Complete)
        return passes;

    WriteBlock(WriteResults, result, report);
    if (!data.FileOk) return RunOutcome::FileNotOpened;
    return RunOutcome::Complete;
}

// The indicators of a complete run; none when their own arithmetic faults.
std::optional<DesignIndicators> IndicatorsOf(const CaseData& data) {
    try {
        return DesignIndicatorsOf(data);
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

// Names the input an arithmetic fault follows from: the first outside its
// sound range. The inputs were read, or the run could not have faulted.
void ExplainFault(RunResult& result, char sep) {
    const std::vector<DomainBreach> breaches = InputDomainBreaches(result.data);
    if (breaches.empty()) {
        result.detail = "every input lies in its sound range";
        return;
    }
    const DomainBreach& first = breaches.front();
    result.faultBox = FindInputField(first.field)->box;
    result.detail = BreachText(first, sep) + ", and the fault follows from it";
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

void CheckResultFileName(std::string_view name) {
    if (name.size() <= ResultFileNameLimit) return;
    throw ResultFileNameError("the report's name \"" + Excerpt(name) + "\" is " + std::to_string(name.size()) +
                              " bytes long; a report's name holds at most " +
                              std::to_string(ResultFileNameLimit));
}

RunResult RunCalculation(const RunRequest& request) {
    RunResult result;
    try {
        std::optional<ReportFile> report;
        if (request.report == ReportTarget::File)
            report = ReportFile{CutResultFileName(request.resultFileName), request.decimalSeparator, {}};
        result.outcome = RunStages(result, request, report);
        if (result.outcome == RunOutcome::Complete) result.indicators = IndicatorsOf(result.data);
    } catch (const ArithmeticFault& fault) {
        result.outcome = RunOutcome::Fault;
        result.fault = fault.what();
        ExplainFault(result, request.decimalSeparator);
    } catch (const std::exception& fault) {
        // An arithmetic fault, an I/O error, or anything else the core could
        // not finish: the run ends here with the fault's text.
        result.outcome = RunOutcome::Fault;
        result.fault = fault.what();
    }
    result.warningData = RunWarnings(result);
    for (RunWarning& warning : ViscosityRangeWarnings(result, request.viscosityRanges))
        result.warningData.push_back(std::move(warning));
    for (const RunWarning& warning : result.warningData) result.warningKinds.Add(warning.kind);
    result.warnings = WarningTexts(result, UnitSystem::Metric, request.decimalSeparator);
    return result;
}

}  // namespace vortane
