#!/bin/sh
# Pictures the options window as docs/options-window.png.
# Usage: scripts/options-window-picture.sh [build folder]   (default: build)
# With DISPLAY set (a desktop or Xvfb) the window is drawn by X; otherwise
# off screen.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
cmake --build "$build" --target OptionsWindowPictureTest
if [ -n "${DISPLAY:-}" ]; then platform=xcb; else platform=offscreen; fi
QT_QPA_PLATFORM=$platform FUSELARK3_OPTIONS_PICTURE="$here/docs/options-window.png" \
  "$build/tests/ui/options/OptionsWindowPictureTest" --gtest_brief=1
echo "written: $here/docs/options-window.png"
