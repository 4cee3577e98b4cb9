#!/usr/bin/env bash
# Installs what is missing, builds the game with its generated pictures,
# levels and tunes, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
# Without a usable display the game itself says so in one line and exits with status 1.
exec ./build/game/fuselark3
