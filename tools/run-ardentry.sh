#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
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
    # Nobody could see the windows: start the program in a virtual X server, report what it shows
    # and end, unless asked to keep it running there.
    if [ "${ARDENTRY_KEEP_RUNNING:-0}" = 1 ]; then
        echo "No display found: Ardentry runs inside a virtual X server (xvfb-run), where nobody" \
            "can see it. End it with Ctrl+C." >&2
        exec xvfb-run -a "$build/ardentry"
    fi
    echo "No display found: starting Ardentry once inside a virtual X server (xvfb-run) to check" \
        "that it starts; it ends by itself." >&2
    status=0
    xvfb-run -a "$build/ardentry" --check-start || status=$?
    echo "To see and use Ardentry, run this script from a desktop session (or over ssh -X)." \
        "ARDENTRY_KEEP_RUNNING=1 keeps it running in the virtual display until Ctrl+C." >&2
    exit "$status"
fi
exec "$build/ardentry"
