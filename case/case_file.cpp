#include "case/case_file.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "case/blanks.h"
#include "case/excerpt.h"
#include "case/file_read.h"
#include "case/number_format.h"
#include "case/number_text.h"

namespace vortane {

namespace {

// Reads one line's parts; returns false for a blank or comment line.
class LineReader {
public:
    LineReader(std::string_view line, std::string_view fileName, int number)
        : line_(line), file_(fileName), number_(number) {}

    bool Entry(std::string_view& name, std::string& text) {
        const std::size_t end = line_.find_first_of("=#");
        if (end == std::string_view::npos || line_[end] == '#') {
            if (!Trimmed(line_.substr(0, end)).empty()) Fail("expected FIELD = TEXT");
            return false;
        }
        name = Trimmed(line_.substr(0, end));
        if (name.empty()) Fail("expected FIELD = TEXT");
        std::string_view rest = line_.substr(end + 1);
        while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
        text = !rest.empty() && rest.front() == '"' ? Quoted(rest) : Plain(rest);
        return true;
    }

    [[noreturn]] void Fail(const std::string& what) const {
        throw CaseFileError(file_ + ":" + std::to_string(number_) + ": " + what, {file_, number_, nullptr});
    }

private:
    static std::string Plain(std::string_view rest) {
        return std::string(Trimmed(rest.substr(0, rest.find('#'))));
    }

    std::string Quoted(std::string_view rest) const {
        std::string text;
        std::size_t at = 1;
        for (;; ++at) {
            if (at >= rest.size()) Fail("missing closing quote");
            if (rest[at] == '"') {
                if (at + 1 < rest.size() && rest[at + 1] == '"') {
                    text += '"';
                    ++at;
                    continue;
                }
                break;
            }
            text += rest[at];
        }
        const std::string_view after = rest.substr(at + 1);
        if (!Trimmed(after.substr(0, after.find('#'))).empty())
            Fail("unexpected text after the closing quote");
        return text;
    }

    std::string_view line_;
    std::string file_;
    int number_;
};

bool NeedsQuotes(std::string_view text) {
    return text.empty() || IsBlank(text.front()) || IsBlank(text.back()) ||
           text.find_first_of("#\"") != std::string_view::npos;
}

// A real text that reads as a number in `from` notation, rewritten in `to`;
// any other text as it is.
std::string InNotation(const InputField& field, std::string text, char from, char to) {
    if (field.conversion != InputField::Conversion::Real || from == to) return text;
    if (!ConvertReal(text, from) || text.find(to) != std::string::npos) return text;
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

// The fields beside the boxes: the ranges a viscosity law was fitted on.
struct RangeField {
    std::string_view name;
    std::string_view unit;
    std::optional<ValueRange> FittedRanges::*range;
    bool positive;  // a shear rate's logarithm is taken
};

constexpr RangeField RangeFields[] = {
    {"ViscosityTemperatureRange", "degC", &FittedRanges::temperature, false},
    {"ViscosityShearRateRange", "1/s", &FittedRanges::shearRate, true},
};

constexpr std::string_view LimitField = "Limit";
constexpr std::string_view AcceptWarningField = "AcceptWarning";
constexpr std::string_view MaterialField = "Material";

const RangeField* FindRangeField(std::string_view name) {
    for (const RangeField& field : RangeFields)
        if (field.name == name) return &field;
    return nullptr;
}

// A finite number with a point, in C notation; nothing else.
std::optional<double> PointNumber(std::string_view text) {
    const std::optional<double> value = ReadNumber(Trimmed(text));
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

ValueRange ParseRange(const RangeField& field, std::string_view text, const LineReader& reader) {
    const std::string quoted = std::string(field.name) + " = \"" + Excerpt(text) + "\"";
    const std::size_t colon = text.find(':');
    const std::optional<double> low = PointNumber(text.substr(0, colon));
    const std::optional<double> high =
        colon == std::string_view::npos ? std::nullopt : PointNumber(text.substr(colon + 1));
    if (!low || !high)
        reader.Fail(quoted + " is not LOW:HIGH, two numbers with a point, in " + std::string(field.unit));
    if (*low > *high) reader.Fail(quoted + ": LOW lies above HIGH");
    if (field.positive && !(*low > 0)) reader.Fail(quoted + ": the range must lie above 0");
    return {*low, *high};
}

std::string CaseText(std::string_view text) {
    if (!NeedsQuotes(text)) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? "\"\"" : std::string(1, c);
    return quoted + '"';
}

}  // namespace

CaseFile ParseCaseFile(std::string_view content, std::string_view fileName) {
    if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);  // UTF-8 mark
    CaseFile file;
    std::vector<CaseEntry>& entries = file.entries;
    std::map<std::string_view, int> extraLines;  // the line of each extra given
    int number = 0;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++number;

        LineReader reader(line, fileName, number);
        std::string_view name;
        std::string text;
        if (!reader.Entry(name, text)) continue;
        if (const RangeField* range = FindRangeField(name)) {
            if (const auto earlier = extraLines.find(range->name); earlier != extraLines.end())
                reader.Fail(std::string(range->name) + " is already given on line " +
                            std::to_string(earlier->second));
            extraLines.emplace(range->name, number);
            file.extras.viscosityRanges.*(range->range) = ParseRange(*range, text, reader);
            continue;
        }
        if (name == MaterialField) {
            if (const auto earlier = extraLines.find(MaterialField); earlier != extraLines.end())
                reader.Fail(std::string(MaterialField) + " is already given on line " + std::to_string(earlier->second));
            extraLines.emplace(MaterialField, number);
            file.extras.material = std::move(text);
            continue;
        }
        if (name == LimitField) {
            try {
                file.extras.limits.push_back(ParseLimit(text));
                file.limitLines.push_back(number);
            } catch (const LimitError& error) {
                reader.Fail(error.what());
            }
            continue;
        }
        if (name == AcceptWarningField) {
            try {
                file.extras.acceptedWarnings.Add(ParseWarningKind(text));
            } catch (const WarningKindError& error) {
                reader.Fail(error.what());
            }
            continue;
        }
        const InputField* field = FindInputField(name);
        if (field == nullptr) reader.Fail("unknown field " + UnknownName(name, InputFieldNames()));
        for (const CaseEntry& earlier : entries) {
            if (earlier.field == field)
                reader.Fail(std::string(field->name) + " is already given on line " +
                            std::to_string(earlier.line));
        }
        entries.push_back({field, std::move(text), number});
    }
    return file;
}

CaseFile ReadCaseFile(const std::string& path) {
    return ParseCaseFile(ReadWholeFileAs<CaseFileError>(path, "case file " + path), path);
}

InputTexts ApplyCaseEntries(InputTexts texts, const std::vector<CaseEntry>& entries,
                            char decimalSeparator) {
    for (const CaseEntry& entry : entries)
        texts[entry.field->box - 1] = InNotation(*entry.field, entry.text, '.', decimalSeparator);
    return texts;
}

std::string CaseFileText(const InputTexts& texts, const CaseExtras& extras, char decimalSeparator) {
    std::string content = "# Vortane case: the texts of the 28 input boxes\n";
    for (const InputField& field : InputFields()) {
        const std::string text = InNotation(field, texts[field.box - 1], decimalSeparator, '.');
        if (text.find_first_of("\r\n") != std::string::npos)
            throw CaseFileError("the text of " + std::string(field.name) +
                                    " holds a line break, which a case file cannot keep",
                                {{}, {}, &field});
        std::string name(field.name);
        name.resize(std::max<std::size_t>(name.size(), 21), ' ');
        content += name + " = " + CaseText(text) + "\n";
    }
    return content + CaseExtrasText(extras);
}

std::string CaseExtrasText(const CaseExtras& extras) {
    std::string content;
    if (!extras.material.empty()) {
        if (extras.material.find_first_of("\r\n") != std::string::npos)
            throw CaseFileError("the material's name holds a line break, which a case file cannot keep");
        content += std::string(MaterialField) + " = " + CaseText(extras.material) + "\n";
    }
    for (const RangeField& field : RangeFields) {
        if (const std::optional<ValueRange>& range = extras.viscosityRanges.*(field.range))
            content += std::string(field.name) + " = " + ShortestText(range->low) + ":" +
                       ShortestText(range->high) + "\n";
    }
    for (const Limit& limit : extras.limits) content += std::string(LimitField) + " = " + LimitText(limit) + "\n";
    for (const WarningKind kind : AllWarningKinds)
        if (extras.acceptedWarnings.Has(kind))
            content += std::string(AcceptWarningField) + " = " + std::string(WarningKindName(kind)) + "\n";
    return content;
}

std::string CaseCommentLine(std::string_view text) {
    constexpr std::string_view Replacement = "\uFFFD";
    std::string line = "# ";
    line.reserve(text.size() + 3);
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto c = static_cast<unsigned char>(text[at]);
        const auto next = [&](std::size_t k) {
            return at + k < text.size() ? static_cast<unsigned char>(text[at + k]) : 0U;
        };
        if (c < 0x20 || c == 0x7F) {
            line += Replacement;
        } else if (c == 0xC2 && next(1) >= 0x80 && next(1) <= 0x9F) {  // U+0080 ... U+009F
            line += Replacement;
            at += 1;
        } else if (c == 0xE2 && next(1) == 0x80 && (next(2) == 0xA8 || next(2) == 0xA9)) {  // U+2028, U+2029
            line += Replacement;
            at += 2;
        } else {
            line += static_cast<char>(c);
        }
    }
    return line + '\n';
}

}  // namespace vortane
