#include "case/case_file.h"

#include <algorithm>

#include "case/file_read.h"
#include "case/number_text.h"

namespace vortane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

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

std::string CaseText(std::string_view text) {
    if (!NeedsQuotes(text)) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? "\"\"" : std::string(1, c);
    return quoted + '"';
}

}  // namespace

std::vector<CaseEntry> ParseCaseFile(std::string_view content, std::string_view fileName) {
    if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);  // UTF-8 mark
    std::vector<CaseEntry> entries;
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
        const InputField* field = FindInputField(name);
        if (field == nullptr) reader.Fail("unknown field " + std::string(name));
        for (const CaseEntry& earlier : entries) {
            if (earlier.field == field)
                reader.Fail(std::string(field->name) + " is already given on line " +
                            std::to_string(earlier.line));
        }
        entries.push_back({field, std::move(text), number});
    }
    return entries;
}

std::vector<CaseEntry> ReadCaseFile(const std::string& path) {
    std::string content;
    try {
        content = ReadWholeFile(path, "case file " + path);
    } catch (const FileReadError& error) {
        throw CaseFileError(error.what(), error.Context());
    }
    return ParseCaseFile(content, path);
}

InputTexts ApplyCaseEntries(InputTexts texts, const std::vector<CaseEntry>& entries,
                            char decimalSeparator) {
    for (const CaseEntry& entry : entries)
        texts[entry.field->box - 1] = InNotation(*entry.field, entry.text, '.', decimalSeparator);
    return texts;
}

std::string CaseFileText(const InputTexts& texts, char decimalSeparator) {
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
    return content;
}

}  // namespace vortane
