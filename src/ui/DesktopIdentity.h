#pragma once

namespace fl3 {

// The names the desktop knows the game by (its menu entry
// org.fuselark3.fuselark3.desktop, whose StartupWMClass is the application
// name) and the game's own icon on every window. Call once the application
// object exists.
void ApplyDesktopIdentity();

inline constexpr const char* kApplicationName = "FUSELARK3";
inline constexpr const char* kDesktopFileName = "org.fuselark3.fuselark3";

}  // namespace fl3
