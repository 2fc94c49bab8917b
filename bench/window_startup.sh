#!/usr/bin/env bash
# Times process start to the first painted main window, headless, several
# times over: ./bench/window_startup.sh [build-dir] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-${FOLIX_BUILD_DIR:-build}}"
runs="${2:-10}"
cmake --build "$build_dir" --target window_startup >/dev/null
for _ in $(seq "$runs"); do
  FOLIX_LAUNCH_NS=$(date +%s%N) QT_QPA_PLATFORM=offscreen "$build_dir/bench/window_startup" 2>/dev/null
done
