#pragma once

#include "case/case_data.h"
#include "case/input_fields.h"
#include "case/messages.h"

namespace vortane {

// The input stage: converts the box texts in box order into their fields, each
// stored at once. At the first text that does not convert it stops, raises the
// input message and leaves InputOk false. Returns the number of the box that
// did not convert, or 0.
int ReadInputData(CaseData& data, const InputTexts& texts, char decimalSeparator,
                   Messages& messages);

}  // namespace vortane
