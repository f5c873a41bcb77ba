#include "app/unit_choice.h"

#include <QActionGroup>
#include <QComboBox>
#include <QMenu>
#include <QSettings>

#include <array>

#include "app/core_text.h"
#include "result/run_table.h"
#include "result/unit_caption.h"
#include "study/sweep_curves.h"

namespace vortane {

namespace {

const QString UnitSystemKey = QStringLiteral("View/UnitSystem");

struct SystemChoice {
    UnitSystem system;
    const char* stored;   // as UnitSystemNamed reads it
    const char* caption;  // the menu's, and so the item's accessible name
    const char* units;    // its tooltip
};

constexpr std::array<SystemChoice, 3> Choices{{
    {UnitSystem::Metric, "metric", "&Technical Metric", "cm, kg/hr, kgf/cm2, ℃, cal/g.℃, kW: the report's units"},
    {UnitSystem::SI, "si", "&SI", "mm, kg/h, MPa, ℃ and K, kJ/kg.K, kW"},
    {UnitSystem::US, "us", "&US Customary", "in, lb/hr, psi, °F, BTU/lb.°F, hp"},
}};

}  // namespace

UnitSystem RememberedUnitSystem() {
    const QByteArray stored = QSettings().value(UnitSystemKey).toString().toUtf8();
    return UnitSystemNamed(std::string_view(stored.constData(), static_cast<std::size_t>(stored.size())))
        .value_or(UnitSystem::Metric);
}

void AddUnitMenu(QMenu& view, UnitSystem current, const std::function<void(UnitSystem)>& chosen) {
    QMenu* units = view.addMenu(QStringLiteral("&Units"));
    units->setObjectName(QStringLiteral("UnitsMenu"));
    units->setToolTipsVisible(true);
    auto* group = new QActionGroup(units);
    group->setExclusive(true);
    for (const SystemChoice& choice : Choices) {
        QAction* action = units->addAction(QString::fromUtf8(choice.caption));
        action->setObjectName(QStringLiteral("Units_") + QLatin1String(choice.stored));
        action->setToolTip(QString::fromUtf8(choice.units));
        action->setStatusTip(action->toolTip());
        action->setCheckable(true);
        action->setChecked(choice.system == current);
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, units, [choice, chosen] {
            QSettings().setValue(UnitSystemKey, QLatin1String(choice.stored));
            chosen(choice.system);
        });
    }
}

void ListQuantities(QComboBox& combo, UnitSystem system, const QString& prefix, int first) {
    const std::vector<SweepQuantity> quantities = ChartableQuantities();
    const bool listed = combo.count() == first + static_cast<int>(quantities.size());
    for (std::size_t q = 0; q < quantities.size(); ++q) {
        const QString caption =
            prefix + FromUtf8(CaptionIn(quantities[q].caption, RunColumns()[quantities[q].column].quantity, system));
        if (listed)
            combo.setItemText(first + static_cast<int>(q), caption);
        else
            combo.addItem(caption, FromUtf8(quantities[q].name));
    }
}

}  // namespace vortane
