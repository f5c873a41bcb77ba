#include "model/channel_geometry.h"

#include <cmath>

#include "model/arithmetic.h"

namespace vortane {

double ComputeChannelWidth(CaseData& data, Messages& messages) {
    Store(data.ChannelAngleRad, (2 * Pi * Real{data.ChannelAngle}) / 360);
    const Real pitch = Over(Pi * Real{data.BarrelDiameter}, static_cast<Real>(data.InletChannelCount));
    const double width = Stored(
        (std::cos(Real{data.ChannelAngleRad}) * pitch -
         (Real{data.BarrierWidth1} + Real{data.BarrierWidth2})) / 2);
    data.WidthOk = width > 0;
    if (!data.WidthOk) messages.emplace_back(message::WidthBecomesMinus);
    return width;
}

namespace {

// R > H: the corner arcs reach the barrel surface before turning vertical.
bool ShallowArcSection(Real W, Real H, Real R, double& area, Messages& messages) {
    const Real arcExtent = Sqrt(2 * R * H - H * H);
    const double flatHalf = Stored(W / 2 - arcExtent);
    if (!(flatHalf >= 0)) {
        messages.emplace_back(message::ChannelNotProper);
        return false;
    }
    const Real b = W / 2 - Real{flatHalf};
    const double halfAngle = Stored(std::atan(Over(b, R - H)));
    const double sector = Stored(R * R * Real{halfAngle} / 2);
    const double triangle = Stored((R - H) * b / 2);
    const double segment = Stored(Real{sector} - Real{triangle});
    Store(area, (H * Real{flatHalf} + Real{segment}) * 2);
    return true;
}

// R <= H: quarter-circle fillets below straight side walls.
bool FilletSection(Real W, Real H, Real R, double& area, Messages& messages) {
    if (!(W / 2 >= R)) {
        messages.emplace_back(message::CornerRadiusTooLarge);
        return false;
    }
    Store(area, (Pi * R * R / 4 + (H - R) * R + (W / 2 - R) * H) * 2);
    return true;
}

}  // namespace

bool ComputeChannelSection(double width, double depth, double cornerRadius, double& area,
                           double& equivalentWidth, Messages& messages) {
    double sectionArea;
    const bool built = cornerRadius > depth
                           ? ShallowArcSection(width, depth, cornerRadius, sectionArea, messages)
                           : FilletSection(width, depth, cornerRadius, sectionArea, messages);
    if (!built) return false;
    area = sectionArea;
    Store(equivalentWidth, Over(area, depth));
    return true;
}

namespace {
// u = exp(−H/W), each stored.
Real AspectDecay(double depth, double equivalentWidth) {
    const double ratio = Stored(Over(depth, equivalentWidth));
    return Stored(Exp(-Real{ratio}));
}
}  // namespace

double DragShapeFactor(double depth, double equivalentWidth) {
    const Real u = AspectDecay(depth, equivalentWidth);
    return Stored(1.8133_r * u - 1.65001_r * u * u + 1.19098_r * u * u * u -
                  0.35427_r * u * u * u * u * u);
}

double PressureShapeFactor(double depth, double equivalentWidth) {
    const Real u = AspectDecay(depth, equivalentWidth);
    return Stored(1.0627_r * u + 0.32003_r * u * u - 0.85251_r * u * u * u * u +
                  0.46978_r * u * u * u * u * u);
}

}  // namespace vortane
