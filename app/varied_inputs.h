#pragma once

#include <QWidget>

#include <optional>
#include <vector>

#include "app/design_dialog.h"
#include "design/optimisation.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace vortane {

// The inputs a search varies, a row each: the box, its Remove button and its
// bounds under them; Add Input below the rows. One row at least, six at most;
// a row's bounds are prefilled around its box's text.
class VariedInputRows final : public QWidget {
    Q_OBJECT

public:
    explicit VariedInputRows(DesignContext context, QWidget* parent = nullptr);

    // Adds a row varying the first input no row varies yet; none beyond six.
    void AddInput();
    // Row `row` varies `field`.
    void Vary(std::size_t row, const InputField& field);
    std::size_t Count() const { return rows_.size(); }

    // The inputs and their bounds; none after naming the row at fault in `message`.
    std::optional<std::vector<VariedInput>> Read(QString& message) const;

private:
    struct InputRow {
        QWidget* row;
        QComboBox* input;
        QLineEdit *low, *high;
    };

    void RemoveInput(QWidget* row);
    void ShowRowCount();

    DesignContext context_;
    std::vector<InputRow> rows_;
    QVBoxLayout* layout_;
    QPushButton* add_;
};

}  // namespace vortane
