#!/usr/bin/env bash
# Installs what is missing, builds a Release build in build/release and starts Korvantile from there.
set -euo pipefail
cd "$(dirname "$0")"

./tools/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANTILE_TESTS=OFF
cmake --build build/release

program=build/release/bin/korvantile
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Korvantile under xvfb-run."
  exec xvfb-run -a "$program" "$@"
fi
exec "$program" "$@"
