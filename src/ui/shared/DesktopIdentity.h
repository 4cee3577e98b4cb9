#pragma once

namespace fl3 {

// The names the desktop knows the game by (its menu entry
// org.fuselark3.fuselark3.desktop, whose StartupWMClass is the application
// name, also the instance name of the window class) and the game's own icon
// on every window. Prepare before the application object is made, apply
// once it exists.
void PrepareDesktopIdentity();
void ApplyDesktopIdentity();

inline constexpr const char* kApplicationName = "FUSELARK3";
inline constexpr const char* kDesktopFileName = "org.fuselark3.fuselark3";

}  // namespace fl3
