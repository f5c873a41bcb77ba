#include "cli/sweep.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>

#include "cli/command_line.h"

namespace vortane::cli {

namespace {

using Wide = std::int64_t;

// mantissa · 10^exponent, exactly.
struct Decimal {
    Wide mantissa = 0;
    int exponent = 0;
    int digits = 0;  // significant digits of the mantissa
};

constexpr int MantissaDigitLimit = 18;
constexpr int AlignedDigitLimit = 18;  // within the range of a 64-bit integer
constexpr int ExponentLimit = 400;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// [sign] digits [separator digits] [E|e [sign] digits], nothing else.
std::optional<Decimal> ParseDecimal(std::string_view text, char separator) {
    Decimal value;
    std::size_t at = 0;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    int mantissaChars = 0;
    bool inFraction = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == separator && !inFraction) {
            inFraction = true;
            continue;
        }
        if (!IsDigit(c)) break;
        ++mantissaChars;
        if (inFraction) --value.exponent;
        if (value.digits == 0 && c == '0') continue;
        if (++value.digits > MantissaDigitLimit) return std::nullopt;
        value.mantissa = value.mantissa * 10 + (c - '0');
    }
    if (mantissaChars == 0) return std::nullopt;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        const bool down = at < text.size() && text[at] == '-';
        if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
        int exponent = 0, exponentChars = 0;
        for (; at < text.size() && IsDigit(text[at]); ++at, ++exponentChars) {
            exponent = exponent * 10 + (text[at] - '0');
            if (exponent > ExponentLimit) return std::nullopt;
        }
        if (exponentChars == 0) return std::nullopt;
        value.exponent += down ? -exponent : exponent;
    }
    if (at != text.size()) return std::nullopt;
    if (negative) value.mantissa = -value.mantissa;
    return value;
}

// The mantissa of `value` at the smaller `exponent`.
std::optional<Wide> Aligned(const Decimal& value, int exponent) {
    const int shift = value.exponent - exponent;
    if (value.mantissa == 0) return Wide{0};
    if (value.digits + shift > AlignedDigitLimit) return std::nullopt;
    Wide mantissa = value.mantissa;
    for (int i = 0; i < shift; ++i) mantissa *= 10;
    return mantissa;
}

std::string DigitsOf(Wide magnitude) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return digits;
}

// mantissa · 10^exponent in plain decimal notation.
std::string DecimalText(Wide mantissa, int exponent, char separator) {
    std::string digits = DigitsOf(mantissa < 0 ? -mantissa : mantissa);
    if (exponent >= 0) {
        if (mantissa != 0) digits.append(static_cast<std::size_t>(exponent), '0');
    } else {
        const std::size_t decimals = static_cast<std::size_t>(-exponent);
        if (digits.size() <= decimals) digits.insert(0, decimals + 1 - digits.size(), '0');
        digits.insert(digits.size() - decimals, 1, separator);
    }
    return (mantissa < 0 ? "-" : "") + digits;
}

// The host of one grid point: its box texts, its report name, and what the run
// shows kept in order.
class PointHost final : public RunHost {
public:
    PointHost(InputTexts texts, std::string reportName, char separator)
        : texts_(std::move(texts)), reportName_(std::move(reportName)), separator_(separator) {}

    std::string BoxText(int box) const override { return texts_[box - 1]; }
    std::string ResultFileText() const override { return reportName_; }
    char DecimalSeparator() const override { return separator_; }
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    void ShowFault(std::string_view text) override { messages.emplace_back(text); }
    void RunCompleted() override {}

    std::vector<std::string> messages;

private:
    InputTexts texts_;
    std::string reportName_;
    char separator_;
};

}  // namespace

SweepAxis ParseSweepAxis(std::string_view argument, char decimalSeparator) {
    const auto fail = [&](const std::string& what) -> UsageError {
        return UsageError("--sweep " + std::string(argument) + ": " + what);
    };
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos) throw fail("expected FIELD=FROM:TO:STEP");
    const std::string_view name = argument.substr(0, equals);
    const InputField* field = FindInputField(name);
    if (field == nullptr) throw fail("unknown field " + std::string(name));
    if (decimalSeparator == ':')
        throw fail("a colon cannot be both decimal separator and range mark");

    const std::string_view range = argument.substr(equals + 1);
    const std::size_t first = range.find(':');
    const std::size_t second = first == std::string_view::npos ? first : range.find(':', first + 1);
    if (second == std::string_view::npos || range.find(':', second + 1) != std::string_view::npos)
        throw fail("expected FIELD=FROM:TO:STEP");
    const std::string_view parts[] = {range.substr(0, first),
                                      range.substr(first + 1, second - first - 1),
                                      range.substr(second + 1)};
    Decimal values[3];
    for (int i = 0; i < 3; ++i) {
        const std::optional<Decimal> value = ParseDecimal(parts[i], decimalSeparator);
        if (!value)
            throw fail("'" + std::string(parts[i]) + "' is not a decimal number of at most " +
                       std::to_string(MantissaDigitLimit) + " digits");
        values[i] = *value;
    }

    const int exponent = std::min({values[0].exponent, values[1].exponent, values[2].exponent});
    const std::optional<Wide> from = Aligned(values[0], exponent);
    const std::optional<Wide> to = Aligned(values[1], exponent);
    const std::optional<Wide> step = Aligned(values[2], exponent);
    if (!from || !to || !step) throw fail("the range is too wide for the precision of its numbers");
    if (*step == 0) throw fail("STEP must not be zero");
    const Wide span = *to - *from;
    if (span != 0 && (span < 0) != (*step < 0)) throw fail("STEP leads away from TO");
    const Wide steps = span / *step;
    if (steps + 1 > static_cast<Wide>(SweepPointLimit))
        throw fail("more than " + std::to_string(SweepPointLimit) + " values");

    SweepAxis axis{field, {}};
    axis.texts.reserve(static_cast<std::size_t>(steps) + 1);
    for (Wide i = 0; i <= steps; ++i)
        axis.texts.push_back(DecimalText(*from + i * *step, exponent, decimalSeparator));
    return axis;
}

SweepPlan MakeSweepPlan(InputTexts base, const std::vector<std::string>& arguments,
                        char decimalSeparator, std::optional<std::string> reportPattern) {
    SweepPlan plan{std::move(base), {}, decimalSeparator, std::move(reportPattern)};
    for (const std::string& argument : arguments) {
        SweepAxis axis = ParseSweepAxis(argument, decimalSeparator);
        for (const SweepAxis& earlier : plan.axes) {
            if (earlier.field == axis.field)
                throw UsageError(std::string(axis.field->name) + " is swept twice");
        }
        if (PointCount(plan) * axis.texts.size() > SweepPointLimit)
            throw UsageError("the grid has more than " + std::to_string(SweepPointLimit) +
                             " points");
        plan.axes.push_back(std::move(axis));
    }
    return plan;
}

std::size_t PointCount(const SweepPlan& plan) {
    std::size_t count = 1;
    for (const SweepAxis& axis : plan.axes) count *= axis.texts.size();
    return count;
}

std::vector<std::size_t> AxisPositions(const SweepPlan& plan, std::size_t index) {
    std::vector<std::size_t> positions(plan.axes.size());
    for (std::size_t a = plan.axes.size(); a-- > 0;) {
        positions[a] = index % plan.axes[a].texts.size();
        index /= plan.axes[a].texts.size();
    }
    return positions;
}

InputTexts PointTexts(const SweepPlan& plan, std::size_t index) {
    InputTexts texts = plan.base;
    const std::vector<std::size_t> positions = AxisPositions(plan, index);
    for (std::size_t a = 0; a < plan.axes.size(); ++a)
        texts[plan.axes[a].field->box - 1] = plan.axes[a].texts[positions[a]];
    return texts;
}

std::string ReportName(std::string_view pattern, std::size_t number) {
    std::string name;
    const std::string digits = std::to_string(number);
    for (std::size_t at = 0; at < pattern.size();) {
        if (pattern.substr(at, 3) == "{n}") {
            name += digits;
            at += 3;
        } else {
            name += pattern[at++];
        }
    }
    return name;
}

PointResult RunPoint(const SweepPlan& plan, std::size_t index) {
    const bool reported = plan.reportPattern.has_value();
    PointHost host(PointTexts(plan, index),
                   reported ? ReportName(*plan.reportPattern, index + 1) : "",
                   plan.decimalSeparator);
    RunResult run = RunCalculation(host, reported ? ReportTarget::File : ReportTarget::None);
    return {index, run, std::move(host.messages)};
}

namespace {

// A run of consecutive points, computed by one worker.
struct Chunk {
    std::vector<PointResult> results;
    std::exception_ptr error;
    std::size_t filled = 0;  // index + 1 of the chunk it holds
};

// Workers compute chunks of points at most `window` chunks ahead of the
// consumer, which takes them in order.
class SweepPipeline {
public:
    SweepPipeline(const SweepPlan& plan, unsigned threads)
        : plan_(plan),
          threads_(std::max(threads, 1u)),
          count_(PointCount(plan)),
          chunkSize_(std::clamp<std::size_t>(count_ / (std::size_t{8} * threads_), 1, 64)),
          chunkCount_((count_ + chunkSize_ - 1) / chunkSize_),
          window_(std::size_t{4} * threads_),
          chunks_(window_) {}

    void Run(const std::function<void(const PointResult&)>& consume) {
        std::vector<std::jthread> workers;
        for (unsigned t = 0; t < threads_; ++t) workers.emplace_back([this] { Work(); });
        try {
            for (std::size_t k = 0; k < chunkCount_; ++k) {
                Chunk& chunk = chunks_[k % window_];
                {
                    std::unique_lock lock(mutex_);
                    chunkDone_.wait(lock, [&] { return chunk.filled == k + 1; });
                }
                if (chunk.error) std::rethrow_exception(chunk.error);
                for (const PointResult& result : chunk.results) consume(result);
                {
                    const std::lock_guard lock(mutex_);
                    consumed_ = k + 1;
                }
                slotFree_.notify_all();
            }
        } catch (...) {
            Stop();
            throw;
        }
    }

private:
    void Work() {
        for (;;) {
            std::size_t k;
            {
                std::unique_lock lock(mutex_);
                k = next_++;
                if (k >= chunkCount_) return;
                slotFree_.wait(lock, [&] { return stopped_ || k < consumed_ + window_; });
                if (stopped_) return;
            }
            Chunk& chunk = chunks_[k % window_];
            chunk.results.clear();
            try {
                const std::size_t end = std::min(count_, (k + 1) * chunkSize_);
                for (std::size_t i = k * chunkSize_; i < end; ++i)
                    chunk.results.push_back(RunPoint(plan_, i));
            } catch (...) {
                chunk.error = std::current_exception();
            }
            {
                const std::lock_guard lock(mutex_);
                chunk.filled = k + 1;
            }
            chunkDone_.notify_all();
        }
    }

    // Releases every waiting worker; none starts another chunk.
    void Stop() {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        slotFree_.notify_all();
    }

    const SweepPlan& plan_;
    const unsigned threads_;
    const std::size_t count_;
    const std::size_t chunkSize_;
    const std::size_t chunkCount_;
    const std::size_t window_;
    std::vector<Chunk> chunks_;
    std::mutex mutex_;
    std::condition_variable chunkDone_, slotFree_;
    std::size_t next_ = 0, consumed_ = 0;  // chunks handed out, chunks consumed
    bool stopped_ = false;
};

}  // namespace

void RunSweep(const SweepPlan& plan, unsigned threads,
              const std::function<void(const PointResult&)>& consume) {
    SweepPipeline(plan, threads).Run(consume);
}

}  // namespace vortane::cli
