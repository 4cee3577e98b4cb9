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
echo "All tests passed."
