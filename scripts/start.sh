#!/usr/bin/env bash
# Sets up, builds and starts Quorin.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
if [ -x build/src/quorin ]; then
  exec build/src/quorin
fi
echo "Built the engine and its tests (build/). The window is not written yet, so there is nothing to start."
