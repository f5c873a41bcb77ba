#pragma once

#include <string>

namespace vortane {

// The 28 inputs in box order, a line each: the box, the field's name, its
// unit (from its caption; "-" for none) and its default text, in columns.
std::string FieldTableText();

}  // namespace vortane
