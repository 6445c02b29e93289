#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: once as the program is built,
# once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default
cmake --build build
ctest --test-dir build --output-on-failure
cmake --preset sanitize
cmake --build build-sanitize
ctest --preset sanitize
