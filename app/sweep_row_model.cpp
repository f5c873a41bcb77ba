#include "app/sweep_row_model.h"

#include "app/core_text.h"

namespace vortane {

void SweepRowModel::Reset(const SweepTable* table) {
    beginResetModel();
    table_ = table;
    shown_ = 0;
    endResetModel();
}

void SweepRowModel::ShowAll() {
    const int count = table_ ? static_cast<int>(table_->Size()) : 0;
    if (count == shown_) return;
    beginInsertRows({}, shown_, count - 1);
    shown_ = count;
    endInsertRows();
}

void SweepRowModel::SetUnitSystem(UnitSystem system) {
    beginResetModel();
    system_ = system;
    endResetModel();
}

int SweepRowModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown_; }

int SweepRowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !table_ ? 0 : static_cast<int>(table_->CsvColumnCount());
}

QVariant SweepRowModel::data(const QModelIndex& index, int role) const {
    if ((role != Qt::DisplayRole && role != Qt::AccessibleTextRole) || !index.isValid()) return {};
    return FromUtf8(table_->ShownCell(static_cast<std::size_t>(index.row()), static_cast<std::size_t>(index.column()),
                                    system_));
}

QVariant SweepRowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || !table_ || section < 0 ||
        section >= columnCount({}))
        return {};
    return FromUtf8(table_->ShownColumnName(static_cast<std::size_t>(section), system_));
}

}  // namespace vortane
