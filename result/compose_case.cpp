#include "result/compose_case.h"

#include "case/unit_text.h"
#include "result/limit_check.h"

namespace vortane {

namespace {

// The file's limits, each against the columns; one naming none is refused at
// its line.
void CheckFileLimits(const std::string& path, const CaseFile& file) {
    for (std::size_t i = 0; i < file.extras.limits.size(); ++i) {
        try {
            LimitColumns(std::span(&file.extras.limits[i], 1));
        } catch (const LimitError& error) {
            const int line = file.limitLines.at(i);
            throw CaseFileError(path + ":" + std::to_string(line) + ": " + error.what(), {path, line, nullptr});
        }
    }
}

// The defaults with the file's entries, and its extras.
ComposedCase FromFile(const std::string& name, const CaseFile& file, char decimalSeparator) {
    CheckFileLimits(name, file);
    return {ApplyCaseEntries(DefaultTexts(decimalSeparator), file.entries, decimalSeparator), file.extras};
}

}  // namespace

ComposedCase ComposeUploadedCase(std::string_view content, const std::string& fileName, char decimalSeparator) {
    if (content.size() > CaseFileSizeLimit)
        throw CaseFileError(fileName + ": " + std::to_string(content.size()) +
                                " bytes is too large for a case file (at most " +
                                std::to_string(CaseFileSizeLimit) + " bytes)",
                            {fileName, std::nullopt, nullptr});
    return FromFile(fileName, ParseCaseFile(content, fileName), decimalSeparator);
}

ComposedCase WithOverrides(ComposedCase composed, std::span<const BoxOverride> overrides, char decimalSeparator) {
    const InputTexts given = composed.texts;
    for (const BoxOverride& box : overrides) {
        try {
            composed.texts[box.field->box - 1] = TextInBoxUnit(*box.field, box.text, decimalSeparator);
        } catch (const UnitError& error) {
            throw CaseFileError(error.what(), error.Context());
        }
    }
    composed.extras.viscosityRanges = RangesOfLaw(composed.extras.viscosityRanges, given, composed.texts);
    if (CoefficientTextsOf(given) != CoefficientTextsOf(composed.texts)) composed.extras.material.clear();
    return composed;
}

ComposedCase ComposeCase(const std::optional<std::string>& caseFile, std::span<const BoxOverride> overrides,
                         char decimalSeparator, std::span<const Limit> extraLimits, WarningKinds extraAccepted) {
    ComposedCase composed{DefaultTexts(decimalSeparator), {}};
    if (caseFile) composed = FromFile(*caseFile, ReadCaseFile(*caseFile), decimalSeparator);
    composed = WithOverrides(std::move(composed), overrides, decimalSeparator);
    try {
        LimitColumns(extraLimits);
    } catch (const LimitError& error) {
        throw CaseFileError(error.what(), error.Context());
    }
    composed.extras.limits.insert(composed.extras.limits.end(), extraLimits.begin(), extraLimits.end());
    for (const WarningKind kind : AllWarningKinds)
        if (extraAccepted.Has(kind)) composed.extras.acceptedWarnings.Add(kind);
    return composed;
}

}  // namespace vortane
