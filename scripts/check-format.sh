#!/usr/bin/env bash
# Fails when a C++ file of the repository is not formatted with its
# .clang-format. With --changed BASE, only the files changed since BASE.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--changed" ]; then
    mapfile -t files < <(git diff --name-only --diff-filter=d "${2:?base commit}" -- '*.cpp' '*.h')
else
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
fi
[ ${#files[@]} -eq 0 ] && exit 0
if ! clang-format --dry-run --Werror "${files[@]}"; then
    echo "Not formatted: run clang-format -i on the files above." >&2
    exit 1
fi
