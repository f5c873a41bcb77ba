#include "app/comparison_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "app/core_text.h"
#include "app/plain_text.h"

namespace vortane {

namespace {

// Limits failed in red, met in green; the text says it either way.
QColor LimitCellColour(const std::string& text) {
    if (text.starts_with("failed")) return {0xb0, 0x1c, 0x1c};
    if (text.starts_with("met")) return {0x1b, 0x6e, 0x2a};
    return {};
}

QString WarningsText(const Comparison& comparison) {
    QString text;
    for (std::size_t d = 0; d < comparison.designs.size(); ++d) {
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + FromUtf8(comparison.designs[d]) +
                QStringLiteral(": ");
        if (comparison.warnings[d].empty()) text += QStringLiteral("no warnings");
        for (const std::string& warning : comparison.warnings[d])
            text += QStringLiteral("\n\u2022 ") + FromUtf8(warning);
    }
    return text;
}

}  // namespace

ComparisonView::ComparisonView(QWidget* parent) : QWidget(parent) {
    table_ = new QTableWidget;
    table_->setObjectName(QStringLiteral("ComparisonTable"));
    table_->setAccessibleName(QStringLiteral("Designs side by side"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setAlternatingRowColors(true);
    warnings_ = PlainLabel();
    warnings_->setObjectName(QStringLiteral("ComparisonWarnings"));
    warnings_->setAccessibleName(QStringLiteral("Warnings of the designs"));
    warnings_->setWordWrap(true);
    warnings_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    warnings_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_, 1);
    layout->addWidget(warnings_);
}

void ComparisonView::ShowComparison(const Comparison& comparison, char decimalSeparator) {
    const ComparisonGrid grid = ComparisonCells(comparison, decimalSeparator);
    table_->clear();
    table_->setColumnCount(static_cast<int>(grid.header.size()));
    table_->setRowCount(static_cast<int>(grid.rows.size()));
    QStringList header;
    for (const std::string& name : grid.header) header << FromUtf8(name);
    table_->setHorizontalHeaderLabels(header);
    for (std::size_t r = 0; r < grid.rows.size(); ++r) {
        const bool limit = comparison.rows[r].kind == ComparisonRow::Kind::Limit;
        for (std::size_t c = 0; c < grid.rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(FromUtf8(grid.rows[r][c]));
            item->setToolTip(PlainToolTip(item->text()));  // the whole of a cell cut at its column's edge
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (const QColor colour = LimitCellColour(grid.rows[r][c]); limit && colour.isValid())
                item->setForeground(colour);
            table_->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    table_->resizeColumnsToContents();
    // A long text (what stopped a run) is cut, not let widen its column past the window.
    const int widest = table_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 32;
    for (int c = 1; c < table_->columnCount(); ++c)
        table_->setColumnWidth(c, std::min(table_->columnWidth(c), widest));
    const QString warnings = WarningsText(comparison);
    warnings_->setText(warnings);
    warnings_->setToolTip(PlainToolTip(warnings));
    warnings_->setAccessibleDescription(warnings);
}

}  // namespace vortane
