#pragma once

namespace fl3 {

// Forces the system mouse pointer visible or hidden over the application's
// windows in one call, whatever was asked before.
void ShowMouse(bool show);

}  // namespace fl3
