#pragma once

#include <string>

#include "case/case_data.h"
#include "case/error.h"
#include "case/messages.h"

namespace vortane {

// The report a run writes: its path and the decimal separator of its numbers;
// after an open that failed, the system's reason.
struct ReportFile {
    std::string ResultFileName;
    char decimalSeparator = '.';
    std::string openFailure;
};

// A write or the close of a report block failed; ends the run at once.
class ReportIoError : public Error {
public:
    using Error::Error;
};

// Each writer opens the report, writes its whole block with CR LF line ends,
// closes it and sets FileOk. When the file cannot be opened it raises
// "File can not open!", writes nothing, leaves FileOk false and keeps the
// reason in openFailure.
void WriteInputData(CaseData& data, ReportFile& report, Messages& messages);    // creates
void WriteChannelData(CaseData& data, ReportFile& report, Messages& messages);  // appends
void WriteResults(CaseData& data, ReportFile& report, Messages& messages);      // appends

}  // namespace vortane
