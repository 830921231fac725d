// Numbers typed into dialog fields: blanks around the number are allowed and
// the first comma is read as the decimal point ("1,33" is 1.33).
#pragma once

#include <string>

namespace zeb {

// False when the text is not one finite number.
bool DialogNumber(const std::string& text, double& value);

} // namespace zeb
