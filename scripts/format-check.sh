#!/usr/bin/env bash
# Checks that every C++ file of the tree is laid out as the root .clang-format says.
# The formatter's version is pinned, since versions lay out the same code differently.
# Usage: scripts/format-check.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=clang-format-14
command -v "$formatter" >/dev/null || bash scripts/deps.sh format
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  "$formatter" -i "${files[@]}"
else
  "$formatter" --dry-run --Werror "${files[@]}"
  echo "format: ${#files[@]} files laid out as .clang-format says"
fi
