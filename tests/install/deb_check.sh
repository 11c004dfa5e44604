#!/usr/bin/env bash
# The Debian package: built with cpack, unpacked into a scratch root
# (dpkg -x), its batch render run from there by a user with an empty home, and
# lintian on it without errors (its warnings are listed). Exit 77 (skipped)
# when cpack's DEB tools are missing.
# Usage: deb_check.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v $tool >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/*.deb)
echo "built $(basename "$deb")"
dpkg-deb -f "$deb" Depends
dpkg -x "$deb" "$scratch/root"
mkdir -p "$scratch/home" "$scratch/work"
(cd "$scratch/work" && env -u MIRTALA_REGISTRY_DIR -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$scratch/home" \
  "$scratch/root/usr/bin/mirtala" --render-pose pose.png --pose-string 201111111111111 --demo-creature)
[ -s "$scratch/work/pose.png" ] || { echo "no picture was written"; exit 1; }
if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 || true
  cat "$scratch/lintian.log"
  if grep -q '^E:' "$scratch/lintian.log"; then echo "lintian reports errors"; exit 1; fi
else
  echo "lintian is not installed: not run"
fi
