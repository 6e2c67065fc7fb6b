#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and starts Zephrix.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec "${ZEPHRIX_BUILD_DIR:-build}/src/zephrix" "$@"
