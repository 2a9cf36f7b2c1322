#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build's unit, Qt and
# end-to-end tests, then the core tests again under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
ctest --preset default -j2
cmake --preset asan
cmake --build --preset asan
ctest --preset asan -j2
