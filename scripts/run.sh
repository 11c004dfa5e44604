#!/usr/bin/env bash
# The main job: builds Mirtala and runs it on the sample genome.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
build=${MIRTALA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target mirtala
"$build/editor/app/mirtala" --dump samples/demo.gen --names samples/posegait.txt
