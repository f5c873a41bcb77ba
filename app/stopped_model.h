#pragma once

#include <QAbstractListModel>

#include <cstddef>
#include <vector>

#include "study/sweep_table.h"

namespace vortane {

// The points of a sweep that stopped, one line each: "Point N (swept values):
// outcome — message", read from the sweep's table.
class StoppedModel final : public QAbstractListModel {
public:
    // A table to list from, none yet; it outlives the model or the next Reset.
    void Reset(const SweepTable* table);
    // Lists these points of the table (0-based), after the ones listed.
    void Add(const std::vector<std::size_t>& points);

    int rowCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const SweepTable* table_ = nullptr;
    std::vector<std::size_t> points_;
};

}  // namespace vortane
