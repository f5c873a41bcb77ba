#pragma once

#include <QAbstractTableModel>

#include "case/units.h"
#include "study/sweep_table.h"

namespace vortane {

// The rows of a sweep with the CSV's columns, read from its table; a cell
// becomes text only when it is shown.
class SweepRowModel final : public QAbstractTableModel {
public:
    // A table to show, none yet; it outlives the model or the next Reset.
    void Reset(const SweepTable* table);
    // Shows the points the table has gained.
    void ShowAll();
    // Shows names and numbers as the CSV in `system` writes them.
    void SetUnitSystem(UnitSystem system);

    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const SweepTable* table_ = nullptr;
    int shown_ = 0;
    UnitSystem system_ = UnitSystem::Metric;
};

}  // namespace vortane
