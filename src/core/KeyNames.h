#pragma once
#include <string>

namespace fl3 {

// Display text of a key code 0..255 ("Unknoun Key" for codes without a name,
// and for anything outside the range).
const std::string& KeyNames(int iNum);

}  // namespace fl3
