#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all tests: the normal
# build, then the Qt-free layers again under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/test-ratio.sh
./scripts/install-packages.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFUSELARK3_SANITIZE=ON -DFUSELARK3_HEADLESS_ONLY=ON
cmake --build build-asan -j "$jobs"
(cd build-asan && ctest --output-on-failure -j "$jobs")

# Replays the normal build records check out in the sanitizer build.
replays=$(mktemp -d)
build/tools/arena/fuselark3-arena --levels build/game --matches 3 --kind 1 --seconds 60 \
  --seats cpu:0,cpu:1,cpu:2,baseline --seed 24 --replays "$replays" > /dev/null
for replay in "$replays"/*.REPLAY; do build-asan/tools/sim/fuselark3-sim --replay "$replay"; done
rm -rf "$replays"
echo "All tests passed."
