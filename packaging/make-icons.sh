#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the icon's PNGs (48, 64, 128, 256 px) from the SVG; run after changing the SVG and commit
# the results. Needs rsvg-convert (package librsvg2-bin).
set -eu
cd "$(dirname "$0")/icons"
for size in 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" com.kestrow.Ardentry.svg -o "ardentry-$size.png"
done
