// Feeds arbitrary bytes through one whole run, as the command line makes it, and
// checks that it ends in one of the run's outcomes with a report that is a
// clean prefix of whole blocks. The input is up to 29 lines: the 28 box texts
// (a missing line keeps the box's default) and the save-file name, which is
// kept inside a scratch directory.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "run/calculation_run.h"

namespace {

namespace fs = std::filesystem;
using namespace vortane;

[[noreturn]] void Finding(const std::string& what) {
    std::fprintf(stderr, "finding: %s\n", what.c_str());
    std::abort();
}

const fs::path& ScratchDir() {
    static const fs::path dir = [] {
        std::string pattern = (fs::temp_directory_path() / "vortane-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) Finding("no scratch directory");
        return fs::path(pattern);
    }();
    return dir;
}

std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (lines.size() < InputCount + 1 && start <= bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Report lines the run must have left: none, the input block, input and
// channel blocks, or all three.
std::vector<std::size_t> AllowedLineCounts(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::Complete: return {49};
        case RunOutcome::ChannelRejected: return {31};
        case RunOutcome::PressureTooLow:
        case RunOutcome::NotConverged: return {38};
        case RunOutcome::Fault: return {31, 38};
        case RunOutcome::InputRejected:
        case RunOutcome::FileNotOpened: return {};
    }
    Finding("outcome out of range");
}

// Every regular file in the scratch directory: at most the one report.
std::vector<fs::path> FilesLeft() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(ScratchDir()))
        if (entry.is_regular_file()) files.push_back(entry.path());
    return files;
}

std::string ReadAll(const fs::path& path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
        std::fclose(file);
    }
    return bytes;
}

// Returns the report's line count.
std::size_t CheckReport(const std::string& bytes, const std::vector<std::size_t>& allowed) {
    std::size_t lines = 0;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] == '\n' && (at == 0 || bytes[at - 1] != '\r')) Finding("line feed without CR");
        if (bytes[at] == '\r' && (at + 1 == bytes.size() || bytes[at + 1] != '\n'))
            Finding("CR without line feed");
        lines += bytes[at] == '\n';
    }
    if (!bytes.empty() && bytes.back() != '\n') Finding("report ends inside a line");
    bool ok = false;
    for (std::size_t count : allowed) ok = ok || count == lines;
    if (!ok) Finding("report of " + std::to_string(lines) + " lines");
    const std::pair<std::size_t, std::string_view> titles[] = {
        {1, "    [ Input Data ]"},
        {32, "    [ Calculated Channel Characteristics ]"},
        {39, "    [ Calculated Results ]"}};
    for (const auto& [line, title] : titles) {
        if (line >= lines) continue;
        std::size_t at = 0;
        for (std::size_t i = 0; i < line; ++i) at = bytes.find('\n', at) + 1;
        if (bytes.compare(at, title.size() + 2, std::string(title) + "\r\n") != 0)
            Finding("block title missing at line " + std::to_string(line + 1));
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fs::remove_all(ScratchDir());
    fs::create_directory(ScratchDir());

    const std::vector<std::string> lines =
        Lines(std::string_view(reinterpret_cast<const char*>(data), size));
    InputTexts texts = DefaultTexts('.');
    for (std::size_t box = 0; box < InputCount && box < lines.size(); ++box) texts[box] = lines[box];
    std::string name = lines.size() > InputCount ? lines[InputCount] : "result.txt";
    for (char& c : name)
        if (c == '/') c = '_';  // stays inside the scratch directory

    const RunResult result = RunCalculation({texts, ScratchDir().string() + "/" + name, '.'});
    const std::vector<std::size_t> allowed = AllowedLineCounts(result.outcome);
    if (result.fault.empty() == (result.outcome == RunOutcome::Fault)) Finding("fault text and outcome disagree");
    constexpr std::size_t LinesAfterBlocks[] = {0, 31, 38, 49};
    if (result.blocksWritten < 0 || result.blocksWritten > 3) Finding("blocks written out of range");

    const std::vector<fs::path> files = FilesLeft();
    if (allowed.empty()) {
        if (!files.empty() || result.blocksWritten != 0) Finding("a report left by a run that wrote none");
        return 0;
    }
    if (files.size() != 1) Finding(std::to_string(files.size()) + " files left");
    if (CheckReport(ReadAll(files[0]), allowed) != LinesAfterBlocks[result.blocksWritten])
        Finding("report lines differ from the blocks counted written");
    if (result.outcome == RunOutcome::Complete && result.passes < 1) Finding("complete without a pass");
    return 0;
}
