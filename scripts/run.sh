#!/usr/bin/env bash
# Installs what is missing, builds meter and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMETER_TESTS=OFF -DMETER_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target meter
exec ./build/meter/meter
