#!/usr/bin/env bash
# Installs what is missing, builds Ardentry, creates a sample database and a preferences file
# pointing at it (only when none exist yet) and launches the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh build run
build=${ARDENTRY_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DARDENTRY_TESTS=OFF
cmake --build "$build" -j2 --target ardentry ardentry-newdb ardentry-csv
database="$PWD/$build/sample.db"
[ -e "$database" ] || "$build/ardentry-newdb" "$database" --sample
if [ ! -e "$build/Ini/arprefs.ini" ]; then
    printf '[General]\nPath=%s\n' "$database" > "$build/Ini/arprefs.ini"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: running Ardentry inside a virtual X server (xvfb-run)." >&2
    exec xvfb-run -a "$build/ardentry"
fi
exec "$build/ardentry"
