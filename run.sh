#!/usr/bin/env bash
# Installs what is missing, builds the game with its generated pictures,
# levels and tunes, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "FUSELARK3 needs a graphical desktop, and no display was found (DISPLAY is not set)." >&2
  exit 1
fi
exec ./build/game/fuselark3
