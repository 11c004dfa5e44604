#!/usr/bin/env bash
# The main job: builds Mirtala and runs it on the sample genome.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
build=${MIRTALA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target mirtala Zubrelle regsvr regset demo_creature
# Register the control for this user (registry folder: $MIRTALA_REGISTRY_DIR, else
# ~/.local/share/mirtala/registry) and, as an installer of the host product would, point
# its two directory values at the demo creature unless they are set already. Then render
# gait 1 of the sample genome walking, as an adult male with the genome's appearance genes.
# A failure here is reported, and the dump below still runs.
render_gait() {
  "$build/tools/regsvr/regsvr" "$build/control/activex/Zubrelle.so" &&
  creature="$(cd "$build" && pwd)/demo-creature" &&
  key='HKEY_LOCAL_MACHINE\Software\Vantrelle Technology\Tarvossa 2\1.0' &&
  "$build/tools/regset/regset" --if-missing "$key" "Images Directory" "$creature/Images/" &&
  "$build/tools/regset/regset" --if-missing "$key" "Body Data Directory" "$creature/Body Data/" &&
  frames="$build/gait-frames" &&
  "$build/editor/app/mirtala" --render-gait "$frames" --genome samples/demo.gen --gait 1 \
    --appearance 0,4,1,1,1,0,0,0,2,1,1,0 --angle 10 --frames 24 &&
  echo "The walking gait's frames are in $(cd "$frames" && pwd)/ (frame-000.png to frame-023.png)."
}
render_gait || echo "Rendering the walking gait failed (see the message above)." >&2
"$build/editor/app/mirtala" --dump samples/demo.gen --names samples/posegait.txt
