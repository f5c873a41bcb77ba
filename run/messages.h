#pragma once

#include <string_view>

namespace vortane {

// The fixed texts of the message boxes that stages show.
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

// Where a stage shows its modal message box; the call returns once the user has
// dismissed it.
class MessageSink {
public:
    virtual void ShowMessage(std::string_view text) = 0;

protected:
    ~MessageSink() = default;
};

}  // namespace vortane
