#!/usr/bin/env bash
# Installs the Debian packages the build, tests and run need, only those missing.
# Usage: scripts/deps.sh [run|test|ci|format]
set -euo pipefail
need=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libgif-dev qt6-translations-l10n
      qt6-base-dev nlohmann-json3-dev
      # the installed files' checks and the Debian package's (tests/install)
      dpkg-dev desktop-file-utils appstream shared-mime-info libglib2.0-bin lintian xdg-utils libfile-mimeinfo-perl)
case "${1:-test}" in
  run) need+=(xvfb xauth) ;;
  ci)  need+=(clang libclang-rt-14-dev clang-format-14 xvfb xauth) ;;
  format) need=(clang-format-14) ;;
esac
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
