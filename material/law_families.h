#pragma once

#include "material/source_law.h"

namespace vortane::laws {

// The families, one file each: power_law.cpp, wlf_laws.cpp, muenstedt.cpp,
// six_coefficients.cpp.
extern const LawFamily PowerLaw, PowerLawArrhenius;
extern const LawFamily CarreauWLF, CrossWLF;
extern const LawFamily MuenstedtWLF, MuenstedtArrhenius;
extern const LawFamily SixCoefficients;

}  // namespace vortane::laws
