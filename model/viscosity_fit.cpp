#include "model/viscosity_fit.h"

#include <Eigen/SVD>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "case/number_format.h"
#include "model/arithmetic.h"
#include "model/viscosity.h"

namespace vortane {

namespace {

using Matrix = Eigen::Matrix<Real, Eigen::Dynamic, Eigen::Dynamic>;
using Vector = Eigen::Matrix<Real, Eigen::Dynamic, 1>;
using Terms = Eigen::Matrix<Real, 6, 1>;

// Singular values below this share of the largest leave a term undetermined.
constexpr Real RankTolerance = 0.0000000001_r;
// A term takes part in a vanishing combination when its share of the
// combination's largest coefficient is above this.
constexpr Real NullShare = 0.00000001_r;

// One variable of the law mapped onto [−1, 1] over the data: u = (x − centre) / half.
struct Scaled {
    Real centre, half;
};

Scaled ScaledOver(Real low, Real high) { return {(low + high) / 2, (high - low) / 2}; }

std::string TermList(const std::vector<std::string_view>& terms) {
    std::string list;
    for (std::size_t i = 0; i < terms.size(); ++i) {
        if (i > 0) list += i + 1 == terms.size() ? " and " : ", ";
        list += terms[i];
    }
    return list;
}

void CheckPoints(const std::vector<ViscosityPoint>& points) {
    if (points.size() < ViscosityFitMinimumPoints)
        throw ViscosityFitError(std::to_string(points.size()) +
                                " points: the six coefficients need at least six");
    for (std::size_t i = 0; i < points.size(); ++i) {
        const ViscosityPoint& p = points[i];
        const std::string where = "point " + std::to_string(i + 1) + ": ";
        if (!std::isfinite(p.temperature))
            throw ViscosityFitError(where + "the temperature is not a finite number");
        if (!(p.shearRate > 0) || !std::isfinite(p.shearRate))
            throw ViscosityFitError(where + "the shear rate must be positive and finite");
        if (!(p.viscosity > 0) || !std::isfinite(p.viscosity))
            throw ViscosityFitError(where + "the viscosity must be positive and finite");
    }
}

// A quadratic in one variable needs three of its values: with one, every term
// of that variable is lost; with two, its square.
void CheckSpread(const std::vector<ViscosityPoint>& points) {
    std::set<double> temperatures, shearRates;
    for (const ViscosityPoint& p : points) {
        temperatures.insert(p.temperature);
        shearRates.insert(p.shearRate);
    }
    std::vector<std::string> reasons;
    if (temperatures.size() == 1)
        reasons.push_back("all points are at one temperature, " + ShortestText(*temperatures.begin()) +
                          " degC: the temperature terms A2, A22 and A12 cannot be fitted");
    else if (temperatures.size() == 2)
        reasons.emplace_back("the points are at two temperatures only: the term A22 (T squared) "
                          "cannot be fitted");
    if (shearRates.size() == 1)
        reasons.push_back("all points are at one shear rate, " + ShortestText(*shearRates.begin()) +
                          " 1/s: the shear-rate terms A1, A11 and A12 cannot be fitted");
    else if (shearRates.size() == 2)
        reasons.emplace_back("the points are at two shear rates only: the term A11 (ln shear rate "
                          "squared) cannot be fitted");
    if (reasons.empty()) return;
    std::string text;
    for (const std::string& reason : reasons) text += (text.empty() ? "" : "; ") + reason;
    throw ViscosityFitError(text + "; measure at three temperatures and three shear rates or more");
}

// Columns 1, l, l², t, t², l·t of the scaled ln γ and T.
Matrix Design(const std::vector<ViscosityPoint>& points, const Scaled& L, const Scaled& T) {
    Matrix design(static_cast<Eigen::Index>(points.size()), 6);
    for (Eigen::Index i = 0; i < design.rows(); ++i) {
        const ViscosityPoint& p = points[static_cast<std::size_t>(i)];
        const Real l = Over(std::log(Real{p.shearRate}) - L.centre, L.half);
        const Real t = Over(p.temperature - T.centre, T.half);
        design.row(i) << 1, l, l * l, t, t * t, l * t;
    }
    return design;
}

// The law's coefficients of a combination c of the scaled columns: with
// l = (ln γ − Lc) / Ls and t = (T − Tc) / Ts expanded,
//   A11 = c11 / Ls²,  A22 = c22 / Ts²,  A12 = c12 / (Ls Ts),
//   A1 = c1 / Ls − 2 Lc A11 − Tc A12,  A2 = c2 / Ts − 2 Tc A22 − Lc A12,
//   A0 = c0 − Lc c1 / Ls − Tc c2 / Ts + Lc² A11 + Tc² A22 + Lc Tc A12.
Terms LawCoefficients(const Terms& c, const Scaled& L, const Scaled& T) {
    const Real A11 = Over(c[2], L.half * L.half);
    const Real A22 = Over(c[4], T.half * T.half);
    const Real A12 = Over(c[5], L.half * T.half);
    const Real A1 = Over(c[1], L.half) - 2 * L.centre * A11 - T.centre * A12;
    const Real A2 = Over(c[3], T.half) - 2 * T.centre * A22 - L.centre * A12;
    const Real A0 = c[0] - Over(L.centre * c[1], L.half) - Over(T.centre * c[3], T.half) +
                    L.centre * L.centre * A11 + T.centre * T.centre * A22 +
                    L.centre * T.centre * A12;
    Terms a;
    a << A0, A1, A11, A2, A22, A12;
    return a;
}

// The terms that a rank-deficient design leaves undetermined: those that take
// part in a combination of columns that vanishes at every point.
[[noreturn]] void RefuseDependentTerms(const Eigen::JacobiSVD<Matrix>& svd, const Scaled& L,
                                       const Scaled& T) {
    std::vector<std::string_view> terms;
    for (Eigen::Index k = svd.rank(); k < 6; ++k) {
        const Terms null = LawCoefficients(svd.matrixV().col(k), L, T);
        const Real largest = null.cwiseAbs().maxCoeff();
        for (std::size_t j = 0; j < 6; ++j) {
            const bool takesPart = std::fabs(null[static_cast<Eigen::Index>(j)]) > NullShare * largest;
            if (takesPart && std::find(terms.begin(), terms.end(), ViscosityTermNames[j]) == terms.end())
                terms.push_back(ViscosityTermNames[j]);
        }
    }
    std::sort(terms.begin(), terms.end(), [](std::string_view a, std::string_view b) {
        return std::find(ViscosityTermNames.begin(), ViscosityTermNames.end(), a) <
               std::find(ViscosityTermNames.begin(), ViscosityTermNames.end(), b);
    });
    throw ViscosityFitError("the terms " + TermList(terms) +
                            " cannot be fitted: at these points they vary together; measure "
                            "over a grid of temperatures and shear rates");
}

}  // namespace

double ViscosityOf(const ViscosityCoefficients& a, double shearRate, double temperature) {
    return Viscosity(a[0], a[1], a[2], a[3], a[4], a[5], shearRate, temperature);
}

ViscosityFit FitViscosityLaw(const std::vector<ViscosityPoint>& points) {
    CheckPoints(points);
    CheckSpread(points);

    ViscosityFit fit{};
    fit.pointCount = points.size();
    const auto [tLow, tHigh] = std::minmax_element(
        points.begin(), points.end(), [](auto& p, auto& q) { return p.temperature < q.temperature; });
    const auto [gLow, gHigh] = std::minmax_element(
        points.begin(), points.end(), [](auto& p, auto& q) { return p.shearRate < q.shearRate; });
    fit.temperatureLow = tLow->temperature;
    fit.temperatureHigh = tHigh->temperature;
    fit.shearRateLow = gLow->shearRate;
    fit.shearRateHigh = gHigh->shearRate;

    const Scaled L = ScaledOver(std::log(Real{fit.shearRateLow}), std::log(Real{fit.shearRateHigh}));
    const Scaled T = ScaledOver(fit.temperatureLow, fit.temperatureHigh);
    Vector lnViscosity(static_cast<Eigen::Index>(points.size()));
    for (Eigen::Index i = 0; i < lnViscosity.size(); ++i)
        lnViscosity[i] = std::log(Real{points[static_cast<std::size_t>(i)].viscosity});

    Eigen::JacobiSVD<Matrix> svd(Design(points, L, T), Eigen::ComputeThinU | Eigen::ComputeThinV);
    svd.setThreshold(RankTolerance);
    if (svd.rank() < 6) RefuseDependentTerms(svd, L, T);
    const Terms law = LawCoefficients(svd.solve(lnViscosity), L, T);
    for (std::size_t j = 0; j < 6; ++j) Store(fit.coefficients[j], law[static_cast<Eigen::Index>(j)]);

    // The quality of the law as a run evaluates it, with the stored coefficients.
    const Real meanLn = lnViscosity.mean();
    Real squaredResiduals = 0, squaredSpread = 0, squaredErrors = 0, largestError = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const ViscosityPoint& p = points[i];
        const Real fitted = ViscosityOf(fit.coefficients, p.shearRate, p.temperature);
        const Real measured = lnViscosity[static_cast<Eigen::Index>(i)];
        squaredResiduals += std::pow(Log(fitted) - measured, 2);  // η law may underflow to 0
        squaredSpread += std::pow(measured - meanLn, 2);
        const Real error = Over(fitted, p.viscosity) - 1;
        squaredErrors += error * error;
        largestError = std::max(largestError, std::fabs(error));
    }
    Store(fit.rSquared, squaredSpread > 0 ? 1 - Over(squaredResiduals, squaredSpread) : 1);
    Store(fit.rmsRelativeError, std::sqrt(squaredErrors / static_cast<Real>(points.size())));
    Store(fit.maxRelativeError, largestError);
    return fit;
}

}  // namespace vortane
