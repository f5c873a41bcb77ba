#include "result/indicator_table.h"

namespace vortane {

const std::vector<IndicatorColumn>& IndicatorColumns() {
    using I = const DesignIndicators&;
    using Q = Quantity;
    static const std::vector<IndicatorColumn> columns{
        {"Barrier1ShearStress", "kPa", "Shear Stress over Barrier Flight 1 (kPa)",
         [](I i) { return i.barrier1ShearStress; }, Q::ShearStress},
        {"Barrier2ShearStress", "kPa", "Shear Stress over Barrier Flight 2 (kPa)",
         [](I i) { return i.barrier2ShearStress; }, Q::ShearStress},
        {"SpecificEnergy", "kWh/kg", "Specific Energy Input (kWh/kg)",
         [](I i) { return i.specificEnergy; }, Q::SpecificEnergy},
        {"ResidenceTime", "s", "Mean Residence Time (s)", [](I i) { return i.residenceTime; }, Q::Time},
        {"LeastInletPressure", "kgf/cm2", "Least Pressure in Inlet Channel (kgf/cm2)",
         [](I i) { return i.leastInlet.pressure; }, Q::Pressure},
        {"LeastInletPressureZ", "-", "Position of Least Inlet Channel Pressure, z (-)",
         [](I i) { return i.leastInlet.z; }, Q::Dimensionless},
        {"LeastOutletPressure", "kgf/cm2", "Least Pressure in Outlet Channel (kgf/cm2)",
         [](I i) { return i.leastOutlet.pressure; }, Q::Pressure},
        {"LeastOutletPressureZ", "-", "Position of Least Outlet Channel Pressure, z (-)",
         [](I i) { return i.leastOutlet.z; }, Q::Dimensionless},
    };
    return columns;
}

}  // namespace vortane
