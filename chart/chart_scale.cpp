#include "chart/chart_scale.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "case/number_format.h"

namespace vortane {

namespace {

struct Extent {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void Add(const std::vector<double>& values, Scale scale) {
        for (const double value : values) {
            const double v = AxisValue(value, scale);
            if (!std::isfinite(v)) continue;
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    AxisScale Of(Scale scale) const {
        if (low > high) return scale == Scale::Log ? DecadeScale(0, 1) : NiceScale(0, 1);
        return scale == Scale::Log ? DecadeScale(low, high) : NiceScale(low, high);
    }
};

}  // namespace

AxisScale NiceScale(double low, double high, int targetTicks) {
    if (!(high > low)) {
        const double pad = low == 0 ? 1 : std::fabs(low) * 0.1;
        low -= pad;
        high += pad;
    }
    const double step = RoundStep((high - low) / std::max(targetTicks, 1));
    return {std::floor(low / step + 1e-9) * step, std::ceil(high / step - 1e-9) * step, step};
}

double RoundStep(double raw) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double normal = raw / magnitude;
    return (normal < 1.5 ? 1 : normal < 3 ? 2 : normal < 7 ? 5 : 10) * magnitude;
}

std::vector<double> TicksWithin(double low, double high) {
    if (low > high) std::swap(low, high);
    const AxisScale scale = NiceScale(low, high);
    const double slack = scale.step * 1e-9;
    std::vector<double> ticks;
    for (const double tick : TickValues(scale))
        if (tick >= low - slack && tick <= high + slack) ticks.push_back(tick);
    return ticks;
}

AxisScale DecadeScale(double low, double high) {
    low = std::floor(low + 1e-9);
    high = std::ceil(high - 1e-9);
    if (!(high > low)) high = low + 1;
    const double step = std::ceil((high - low) / 8);
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

std::string DecadeLabel(double exponent) {
    const int power = static_cast<int>(std::lround(exponent));
    if (power < -3 || power > 5) return "1E" + std::to_string(power);
    if (power >= 0) return "1" + std::string(static_cast<std::size_t>(power), '0');
    return "0." + std::string(static_cast<std::size_t>(-power - 1), '0') + "1";
}

std::vector<double> TickValues(const AxisScale& scale) {
    // step = digit · 10^power; tick k is k · digit scaled by the power of ten,
    // so that 3 · 0.2 comes out as 0.6.
    const int power = static_cast<int>(std::floor(std::log10(scale.step) + 1e-9));
    const double unit = std::pow(10.0, std::abs(power));
    const double digit = std::round(power < 0 ? scale.step * unit : scale.step / unit);
    const double first = std::round(scale.low / scale.step);
    const long count = std::lround((scale.high - scale.low) / scale.step);
    std::vector<double> ticks;
    for (long i = 0; i <= count; ++i) {
        const double k = (first + static_cast<double>(i)) * digit;
        ticks.push_back((power < 0 ? k / unit : k * unit) + 0.0);  // + 0.0: no -0
    }
    return ticks;
}

int TickDecimals(double step) { return std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9))); }

std::string TickLabel(double value, double step) {
    const int decimals = TickDecimals(step);
    if (std::fabs(value) < step * 1e-6) value = 0;
    return FixedText(value, decimals);
}

double AxisValue(double value, Scale scale) {
    if (scale == Scale::Linear) return value;
    return value > 0 ? std::log10(value) : std::numeric_limits<double>::quiet_NaN();
}

AxisScale XScale(const Chart& chart) {
    Extent extent;
    for (const ChartPanel& panel : chart.panels)
        for (const ChartSeries& series : panel.series) extent.Add(series.x, chart.x.scale);
    return extent.Of(chart.x.scale);
}

AxisScale YScale(const ChartPanel& panel, bool right) {
    const Scale scale = right ? panel.y2.scale : panel.y.scale;
    Extent extent;
    for (const ChartSeries& series : panel.series)
        if (series.rightAxis == right) extent.Add(series.y, scale);
    return extent.Of(scale);
}

}  // namespace vortane
