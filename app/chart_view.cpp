#include "app/chart_view.h"

#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QFontMetricsF>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

#include <cmath>
#include <utility>
#include <vector>

#include "app/core_text.h"
#include "app/plain_text.h"
#include "chart/chart_scale.h"

namespace vortane {

namespace {

// Legend entries of curves at most: as many rows as the view's height holds
// beside the note, the limits and the marks, and never fewer than this.
constexpr std::size_t WindowLegendLeast = 4;

std::size_t LegendLimitOf(const QChartView& view, const Chart& chart) {
    const double row = QFontMetricsF(view.font()).height() * 1.45;
    const auto rows = static_cast<std::size_t>(std::max((view.height() - 4 * row) / row, 0.0));
    std::size_t others = 3;  // the note and the marks
    for (const ChartPanel& panel : chart.panels)
        for (const ChartSeries& series : panel.series) others += series.limit ? 1 : 0;
    return std::max(WindowLegendLeast, rows > others ? rows - others : 0);
}

// A text of the description as a chart shows it: the chart reads its title,
// axis titles and legend labels as markup, and a label may be a case's name.
QString ChartText(const std::string& text) { return FromUtf8(text).toHtmlEscaped(); }

QAbstractAxis* MakeAxis(const ChartAxis& axis, const AxisScale& scale) {
    QAbstractAxis* made;
    if (axis.scale == Scale::Log) {
        auto* log = new QLogValueAxis;
        log->setBase(10);
        log->setLabelFormat(QStringLiteral("%g"));
        log->setMinorTickCount(8);
        log->setRange(std::pow(10.0, scale.low), std::pow(10.0, scale.high));
        made = log;
    } else {
        auto* linear = new QValueAxis;
        linear->setRange(scale.low, scale.high);
        linear->setTickCount(static_cast<int>(TickValues(scale).size()));
        linear->setLabelFormat(QStringLiteral("%.%1f").arg(TickDecimals(scale.step)));
        made = linear;
    }
    made->setTitleText(ChartText(AxisTitle(axis)));
    return made;
}

// Builds the QChart of one description.
class QtChartBuilder {
public:
    QtChartBuilder(const Chart& chart, std::size_t legendLimit) : chart_(chart), legendLimit_(legendLimit) {}

    QChart* Build() {
        made_ = new QChart;
        made_->setTitle(ChartText(chart_.title));
        made_->legend()->setAlignment(Qt::AlignRight);
        made_->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
        if (chart_.panels.empty()) return made_;
        x_ = MakeAxis(chart_.x, XScale(chart_));
        made_->addAxis(x_, Qt::AlignBottom);
        for (const ChartPanel& panel : chart_.panels) AddPanel(panel);
        for (const auto& [y, points] : failed_) AddMarks(y, points, false);
        for (const auto& [y, points] : warned_) AddMarks(y, points, true);
        ShowLegend();
        return made_;
    }

private:
    struct Drawn {
        std::string label;
        QXYSeries* series;
        bool line;
    };

    void AddPanel(const ChartPanel& panel) {
        QAbstractAxis* y = MakeAxis(panel.y, YScale(panel, false));
        made_->addAxis(y, Qt::AlignLeft);
        QAbstractAxis* y2 = nullptr;
        if (!panel.y2.quantity.empty()) {
            y2 = MakeAxis(panel.y2, YScale(panel, true));
            made_->addAxis(y2, Qt::AlignRight);
        }
        if (!firstY_) firstY_ = y;
        for (const ChartSeries& series : panel.series) {
            const bool right = series.rightAxis && y2;
            AddSeries(series, right ? y2 : y, right ? panel.y2 : panel.y);
        }
    }

    void AddSeries(const ChartSeries& series, QAbstractAxis* y, const ChartAxis& yAxis) {
        const Scale yScale = yAxis.scale;
        QXYSeries* segment = nullptr;
        for (std::size_t i = 0; i < std::min(series.x.size(), series.y.size()); ++i) {
            if (!std::isfinite(AxisValue(series.x[i], chart_.x.scale)) || !std::isfinite(AxisValue(series.y[i], yScale))) {
                if (!series.markersOnly) segment = nullptr;  // a gap
                continue;
            }
            if (!segment)
                segment = Place(series.markersOnly ? MarkersOf(series) : LineOf(series), series, y, yAxis);
            segment->append(series.x[i], series.y[i]);
            if (IsWarned(series, i)) Marked(warned_, y).append({series.x[i], series.y[i]});
            if (IsFailed(series, i)) Marked(failed_, y).append({series.x[i], series.y[i]});
        }
    }

    static QXYSeries* LineOf(const ChartSeries& series) {
        auto* line = new QLineSeries;
        QPen pen(ToQColor(series.colour), 2);
        if (series.dashed) pen.setStyle(Qt::DashLine);
        line->setPen(pen);
        line->setPointsVisible(series.markers);
        return line;
    }

    static QXYSeries* MarkersOf(const ChartSeries& series) {
        auto* markers = new QScatterSeries;
        markers->setColor(Qt::white);
        markers->setBorderColor(ToQColor(series.colour));
        markers->setMarkerSize(8);
        return markers;
    }

    QXYSeries* Place(QXYSeries* series, const ChartSeries& of, QAbstractAxis* y, const ChartAxis& yAxis) {
        series->setName(ChartText(of.label));
        made_->addSeries(series);
        series->attachAxis(x_);
        series->attachAxis(y);
        drawn_.push_back({of.label, series, !of.markersOnly});
        const QString label = FromUtf8(of.label), xTitle = FromUtf8(AxisTitle(chart_.x)),
                      yTitle = FromUtf8(AxisTitle(yAxis));
        QObject::connect(series, &QXYSeries::hovered, series, [=](const QPointF& at, bool state) {
            if (state)
                QToolTip::showText(QCursor::pos(),
                                   PlainToolTip(QStringLiteral("%1\n%2 = %3\n%4 = %5")
                                                    .arg(label, xTitle, QString::number(at.x(), 'g', 7), yTitle,
                                                         QString::number(at.y(), 'g', 7))));
        });
        return series;
    }

    using MarkedPoints = std::vector<std::pair<QAbstractAxis*, QList<QPointF>>>;

    // The warned or failing points on the axis `y`, in the order the axes came.
    static QList<QPointF>& Marked(MarkedPoints& marked, QAbstractAxis* y) {
        for (auto& [axis, points] : marked)
            if (axis == y) return points;
        return marked.emplace_back(y, QList<QPointF>()).second;
    }

    // Their marks above the curves: red rings at warned points, filled
    // squares at failing ones.
    void AddMarks(QAbstractAxis* y, const QList<QPointF>& points, bool rings) {
        auto* marks = new QScatterSeries;
        marks->setObjectName(rings ? QStringLiteral("WarnedPoints") : QStringLiteral("FailingPoints"));
        if (rings) {
            marks->setMarkerSize(11);
            marks->setColor(Qt::transparent);
            marks->setBorderColor(ToQColor(WarningColour));
        } else {
            marks->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
            marks->setMarkerSize(7);
            marks->setColor(ToQColor(FailColour));
            marks->setBorderColor(ToQColor(FailColour));
        }
        marks->append(points);
        made_->addSeries(marks);
        marks->attachAxis(x_);
        marks->attachAxis(y);
        QScatterSeries*& first = rings ? rings_ : squares_;
        if (!first) first = marks;
    }

    // One legend marker per entry of the description: a curve's first line
    // (its markers when it has none), the note, the rings.
    void ShowLegend() {
        for (QLegendMarker* marker : made_->legend()->markers()) marker->setVisible(false);
        for (const LegendEntry& entry : LegendOf(chart_, legendLimit_)) {
            QAbstractSeries* shown = nullptr;
            if (entry.kind == LegendEntry::Kind::Curve || entry.kind == LegendEntry::Kind::Limit) {
                for (const Drawn& d : drawn_)
                    if (d.label == entry.label && (!shown || (d.line && !IsLine(shown)))) shown = d.series;
            } else if (entry.kind == LegendEntry::Kind::Note) {
                auto* note = new QLineSeries;
                note->setPen(Qt::NoPen);
                made_->addSeries(note);
                note->attachAxis(x_);
                note->attachAxis(firstY_);
                shown = note;
            } else {
                shown = entry.kind == LegendEntry::Kind::Failed ? squares_ : rings_;
            }
            if (!shown) continue;
            shown->setName(ChartText(entry.label));
            for (QLegendMarker* marker : made_->legend()->markers(shown)) marker->setVisible(true);
        }
    }

    bool IsLine(QAbstractSeries* series) const {
        for (const Drawn& d : drawn_)
            if (d.series == series) return d.line;
        return false;
    }

    const Chart& chart_;
    const std::size_t legendLimit_;
    QChart* made_ = nullptr;
    QAbstractAxis* x_ = nullptr;
    QAbstractAxis* firstY_ = nullptr;
    std::vector<Drawn> drawn_;
    MarkedPoints warned_, failed_;
    QScatterSeries* rings_ = nullptr;    // the first, listed in the legend
    QScatterSeries* squares_ = nullptr;  // likewise
};

}  // namespace

void ShowChart(QChartView& view, const Chart& chart) {
    QChart* previous = view.chart();
    view.setChart(QtChartBuilder(chart, LegendLimitOf(view, chart)).Build());
    view.setAccessibleDescription(FromUtf8(chart.title));
    delete previous;
}

}  // namespace vortane
