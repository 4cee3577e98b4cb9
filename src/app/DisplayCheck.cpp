#include "app/DisplayCheck.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <string_view>

namespace fl3 {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// QT_QPA_PLATFORM may list fallbacks ("wayland;xcb") and carry options ("xcb:..."):
// the first one is what Qt tries first.
std::string RequestedPlatform() {
  const std::string platforms = Environment("QT_QPA_PLATFORM");
  return platforms.substr(0, platforms.find_first_of(";:"));
}

constexpr std::string_view kNeedsDesktop = "FUSELARK3 needs a graphical desktop, and ";

}  // namespace

DisplayCheck::~DisplayCheck() {
  if (connection_ != nullptr) XCloseDisplay(connection_);
}

std::optional<std::string> DisplayCheck::MissingDisplay() {
  const std::string platform = RequestedPlatform();
  const bool wayland = !Environment("WAYLAND_DISPLAY").empty();
  if (platform == "wayland" && !wayland) {
    return std::string(kNeedsDesktop) + "no Wayland display was found (WAYLAND_DISPLAY is not set).";
  }
  // Platforms without a display (offscreen, vnc, ...) and Wayland sessions are Qt's to judge.
  if (!(platform == "xcb" || (platform.empty() && !wayland))) return std::nullopt;
  const std::string display = Environment("DISPLAY");
  if (display.empty()) return std::string(kNeedsDesktop) + "no display was found (DISPLAY is not set).";
  if (connection_ == nullptr) connection_ = XOpenDisplay(display.c_str());
  if (connection_ == nullptr) return std::string(kNeedsDesktop) + "the display \"" + display + "\" cannot be reached.";
  return std::nullopt;
}

}  // namespace fl3
