#include "app/stopped_model.h"

#include <QStringList>

#include "app/core_text.h"
#include "result/run_table.h"

namespace vortane {

namespace {

std::size_t MessageColumn() {
    const std::vector<RunColumn>& columns = RunColumns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (columns[c].kind == RunColumn::Kind::Message) return c;
    return columns.size();
}

}  // namespace

void StoppedModel::Reset(const SweepTable* table) {
    beginResetModel();
    table_ = table;
    points_.clear();
    endResetModel();
}

void StoppedModel::Add(const std::vector<std::size_t>& points) {
    if (points.empty()) return;
    const int first = static_cast<int>(points_.size());
    beginInsertRows({}, first, first + static_cast<int>(points.size()) - 1);
    points_.insert(points_.end(), points.begin(), points.end());
    endInsertRows();
}

int StoppedModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(points_.size());
}

QVariant StoppedModel::data(const QModelIndex& index, int role) const {
    if ((role != Qt::DisplayRole && role != Qt::AccessibleTextRole) || !index.isValid()) return {};
    const std::size_t point = points_[static_cast<std::size_t>(index.row())];
    QStringList swept;
    for (std::size_t a = 1; a <= table_->Plan().axes.size(); ++a) swept << FromUtf8(table_->CsvCell(point, a));
    static const std::size_t message = MessageColumn();
    return QStringLiteral("Point %1 (%2): %3 — %4")
        .arg(QString::number(point + 1), swept.join(QStringLiteral(", ")),
             FromUtf8(OutcomeName(table_->Outcome(point))), FromUtf8(table_->Text(point, message)));
}

}  // namespace vortane
