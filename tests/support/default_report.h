#pragma once

#include <string>
#include <vector>

namespace vortane::testing {

// The default case's report, line by line: the worked example of the report,
// in code page 932 (℃ is 0x81 0x8E).
inline const std::vector<std::string> DefaultReport = {
    "",
    "    [ Input Data ]",
    "    Barrel Diameter (cm)                        =  11.43",
    "    Number of Revolution (rpm)                  =  80.00",
    "    Output (kg/hr)                              =  267.0",
    "    Channel Length (cm)                         =  21.60",
    "    Barrier Width - 1 (cm)                      =  1.270",
    "    Barrier Width - 2 (cm)                      =  0.500",
    "    Barrier Clearance - 1 (cm)                  =  0.052",
    "    Barrier Clearance - 2 (cm)                  =  0.011",
    "    Channel Depth (cm)                          =  0.620",
    "    Bottom Corner Radius of Channel (cm)        =  1.300",
    "    Angle between Screw Axis and Channel (deg)  =  15.00",
    "    Number of Inlet (or Outlet) Channels (-)    =  5",
    "    Effective Number of Channels (-)            =  5",
    "    Inlet Melt Temperature (\x81\x8E)                 =  170.0",
    "    Inlet Solid Temperature (\x81\x8E)                =  87.0",
    "    Solid Ratio (-)                             =  0.100",
    "    Inlet Pressure (kgf/cm2)                    =  200.0",
    "    Melting Point (\x81\x8E)                          =  110.6",
    "    Density of Melt (g/cm3)                     =  0.770",
    "    Specific Heat of Solid (cal/g.\x81\x8E)           =  0.660",
    "    Heat of Fusion (cal/g)                      =  31.00",
    "    Specific Heat of Melt (cal/g.\x81\x8E)            =  0.620",
    "    (Coefficients of Viscosity)",
    "        A0                     =  6.83729",
    "        A1                     =  -0.661828",
    "        A11                    =  -0.0158406",
    "        A2                     =  -0.0149381",
    "        A22                    =  -4.7079E-7",
    "        A12                    =  0.0011946",
    "",
    "    [ Calculated Channel Characteristics ]",
    "    Channel Width (cm)                          =  2.583",
    "    Equiv. Ch. Width for Rect. Cross Sect. (cm) =  1.934",
    "    Channel Cross Section Area (cm2)            =  1.19883",
    "    Drag Flow Shape Factor (-)                  =  0.831",
    "    Pressure Flow Shape Factor (-)              =  0.798",
    "",
    "    [ Calculated Results ]",
    "    Relative Pressure at Inlet Channel End (-)    =  0.9084",
    "    Relative Pressure at Outlet Channel Start (-) =  0.9831",
    "    Relative Pressure at Outlet Channel End (-)   =  0.8915",
    "    Total Pressure Drop (kgf/cm2)                 =  21.69",
    "",
    "    Power Consumption at Mix. Part (kW)           =  5.693695",
    "    Average Melt Temp. at Inlet (\x81\x8E)              =  156.55",
    "    Average Melt Temp. at Outlet (\x81\x8E)             =  186.10",
    "    Temperature Difference (\x81\x8E)                   =  29.55",
};

// The first `count` lines of the default report as the file holds them: 31
// lines are the input block, 38 input and channel blocks, 49 the whole report.
inline std::string DefaultReportLines(std::size_t count) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) bytes += DefaultReport[i] + "\r\n";
    return bytes;
}

}  // namespace vortane::testing
