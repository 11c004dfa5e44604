#!/usr/bin/env bash
# The main job: builds Mirtala and runs the editor on the sample genome with the
# demo creature. Without a display it opens the editor under a virtual one, saves
# a screenshot of its main window to build/editor.png, and renders the gait frames.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
build=${MIRTALA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target mirtala Zubrelle regsvr regset demo_creature
# Register the control for this user (registry folder: $MIRTALA_REGISTRY_DIR, else
# ~/.local/share/mirtala/registry) and, as an installer of the host product would, point
# its two directory values at the demo creature unless they are set already.
register() {
  "$build/tools/regsvr/mirtala-regsvr" "$build/control/activex/Zubrelle.so" >/dev/null &&
  creature="$(cd "$build" && pwd)/demo-creature" &&
  key='HKEY_LOCAL_MACHINE\Software\Vantrelle Technology\Tarvossa 2\1.0' &&
  "$build/tools/regset/mirtala-regset" --if-missing "$key" "Images Directory" "$creature/Images/" &&
  "$build/tools/regset/mirtala-regset" --if-missing "$key" "Body Data Directory" "$creature/Body Data/"
}
# Gait 1 of the sample genome walking, as an adult male with the genome's appearance genes.
render_gait() {
  frames="$build/gait-frames" &&
  "$build/editor/app/mirtala" --render-gait "$frames" --genome samples/demo.gen --gait 1 \
    --appearance 0,4,1,1,1,0,0,0,2,1,1,0 --angle 10 --frames 24 &&
  echo "The walking gait's frames are in $(cd "$frames" && pwd)/ (frame-000.png to frame-023.png)."
}
register || echo "Registering the picture control failed (see the message above)." >&2
program="$(cd "$build/editor/app" && pwd)/mirtala"
sample="$(pwd)/samples/demo.gen"
# The editor runs from the folder that holds Help/, where it finds its user guide.
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cd docs && exec "$program" "$sample"
fi
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): opening the editor on a virtual display"
echo "and saving a screenshot of its main window instead."
shot="$(cd "$build" && pwd)/editor.png"
(cd docs && xvfb-run -a -s "-screen 0 1280x900x24" "$program" "$sample" --screenshot "$shot") &&
  echo "The editor's main window on the sample genome is in $shot."
render_gait || echo "Rendering the walking gait failed (see the message above)." >&2
"$build/editor/app/mirtala" --dump samples/demo.gen --names samples/posegait.txt
