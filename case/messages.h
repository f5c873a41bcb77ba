#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vortane {

// The fixed texts of the messages that stages raise.
namespace message {
inline constexpr std::string_view InputNotProper = "Input data is not proper, change and try again!";
inline constexpr std::string_view FileCannotOpen = "File can not open!";
inline constexpr std::string_view WidthBecomesMinus =
    "Input condition is not proper! Calculated width becomes minus.";
inline constexpr std::string_view ChannelNotProper = "Channel dimensions are not proper!";
inline constexpr std::string_view CornerRadiusTooLarge =
    "Channel dimensions are not proper! Corner radius is larger than width/2";
inline constexpr std::string_view InletPressureTooLow = "Assumed inlet pressure is too low!";
inline constexpr std::string_view NotConverging = "Temperature iteration does not converge!";
}  // namespace message

// The messages a run's stages raise, in the order they raise them; a front end
// shows them once the run has returned.
using Messages = std::vector<std::string>;

}  // namespace vortane
