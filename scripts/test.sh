#!/usr/bin/env bash
# Installs what is missing, builds meter and INSTALLER, and runs every test twice:
# once in a plain build, once built with AddressSanitizer and UndefinedBehaviorSanitizer.
# Then builds the registry class for Windows and runs its tests under Wine.
# Every stage treats compiler warnings as errors (METER_WERROR).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# The printing test prints to a PDF queue of the local CUPS.
if [ -f .ci/cups-setup.sh ] && [ "$(id -u)" -eq 0 ]; then
  bash .ci/cups-setup.sh || echo "CUPS set-up failed: the real-queue printing test will be skipped"
fi
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMETER_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j4 --timeout 300)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DMETER_SANITIZE=ON -DMETER_BENCH=OFF -DMETER_WERROR=ON >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j4 --timeout 600)

cmake -S win64 -B build-win64 -DMETER_WERROR=ON >/dev/null
cmake --build build-win64 -j"$jobs"
(cd build-win64 && ctest --output-on-failure -j4 --timeout 300)
