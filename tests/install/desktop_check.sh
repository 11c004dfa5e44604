#!/usr/bin/env bash
# The desktop files of an installed tree, checked by the desktop's own tools:
# the entry (desktop-file-validate), the software-centre description
# (appstreamcli), and the genome file type, which must win *.gen and be known
# by its content alone (update-mime-database with the system's types, then gio
# and xdg-mime).
# A tool that is missing is skipped with a message; exit 77 when all were.
# Usage: desktop_check.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
share=$scratch/prefix/share
ran=0
skip() { echo "skipped: $1 is not installed"; }

if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$share/applications/mirtala.desktop" 2>&1) || true
  [ -z "$out" ] || { echo "desktop-file-validate: $out"; exit 1; }
  echo "desktop entry: clean"; ran=1
else skip desktop-file-validate; fi

if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --pedantic --explain "$share/metainfo/com.vantrelle.Mirtala.metainfo.xml" ||
    { echo "appstreamcli found problems"; exit 1; }
  echo "metainfo: clean"; ran=1
else skip appstreamcli; fi

if command -v update-mime-database >/dev/null && command -v gio >/dev/null; then
  mkdir -p "$scratch/mime/packages"
  cp /usr/share/mime/packages/*.xml "$scratch/mime/packages/" 2>/dev/null || true
  cp "$share/mime/packages/mirtala-genome.xml" "$scratch/mime/packages/"
  update-mime-database "$scratch/mime" >/dev/null
  printf 'dna2gene\1\1\1\0\0\0\0gend' > "$scratch/creature.gen"
  cp "$scratch/creature.gen" "$scratch/no-extension"
  printf 'not a genome' > "$scratch/other.gen"
  type_of() {
    XDG_DATA_HOME="$scratch/none" XDG_DATA_DIRS="$scratch" gio info -a standard::content-type "$1" |
      sed -n 's/.*standard::content-type: //p'
  }
  for f in creature.gen no-extension other.gen; do
    t=$(type_of "$scratch/$f")
    echo "$f: $t"
    [ "$t" = application/x-mirtala-genome ] || { echo "$f is not known as a genome"; exit 1; }
  done
  ran=1
  # xdg-mime, as a desktop without gio asks: the same types, and the installed entry opens them.
  # Without a desktop, xdg-mime asks mimetype (File::MimeInfo); "file" knows no genomes.
  if command -v xdg-mime >/dev/null && command -v mimetype >/dev/null && command -v update-desktop-database >/dev/null; then
    mkdir -p "$scratch/applications"
    cp "$share/applications/mirtala.desktop" "$scratch/applications/"
    update-desktop-database "$scratch/applications" 2>/dev/null
    xdg() { XDG_DATA_HOME="$scratch/none" XDG_DATA_DIRS="$scratch" XDG_CURRENT_DESKTOP= xdg-mime query "$@" 2>/dev/null; }
    for f in creature.gen no-extension other.gen; do
      t=$(xdg filetype "$scratch/$f")
      [ "$t" = application/x-mirtala-genome ] || { echo "xdg-mime: $f is $t"; exit 1; }
    done
    d=$(xdg default application/x-mirtala-genome)
    [ "$d" = mirtala.desktop ] || { echo "xdg-mime: genomes open with '$d'"; exit 1; }
    echo "xdg-mime: genomes are known and open with $d"
  else skip "xdg-mime, mimetype or update-desktop-database"; fi
else skip "update-mime-database or gio"; fi

[ "$ran" = 1 ] || exit 77
