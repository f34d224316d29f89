#!/usr/bin/env bash
# Leaves the program's main window working for half an hour (or MINUTES): loop play at tempo -50,
# the position slider dragged every 200 ms, the pitch changed every second. Fails when memory grows
# by 10 MB or more after the first minute, when position reports stop for more than a second, or
# when the program does not end cleanly. Not part of the test suite.
#   scripts/soak.sh [MINUTES]
set -euo pipefail
cd "$(dirname "$0")/.."
minutes="${1:-30}"

# A release build of its own, without sanitizers, so that the memory figures are the program's.
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build-soak -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build-soak -j2 --target reelquill-soak

# A minute of moving picture with a tone, so that the stretcher has sound to work on.
movie=build-soak/soak-movie.mp4
if [[ ! -f "$movie" ]]; then
  ffmpeg -v error -y -f lavfi -i testsrc2=size=640x360:rate=25:duration=60 \
    -f lavfi -i sine=frequency=440:sample_rate=48000:duration=60 \
    -c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 25 -c:a aac -b:a 192k "$movie"
fi

# Two minutes more than the run for start and shut-down; past that the program hangs.
run=(timeout --kill-after=10 $((minutes * 60 + 120)) build-soak/soak/reelquill-soak "$movie" "$minutes")
if [[ -z "${DISPLAY:-}" ]]; then
  run=(xvfb-run -a -s "-screen 0 1920x1080x24" "${run[@]}")
fi
status=0
"${run[@]}" || status=$?
if [[ $status -eq 124 || $status -eq 137 ]]; then
  echo "soak: the program did not end within two minutes of the run's end" >&2
fi
exit "$status"
