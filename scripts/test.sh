#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cd "${ZEPHRIX_BUILD_DIR:-build}"
ctest --output-on-failure --timeout 300 -j "$(nproc)"
