#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that Ardentry needs to build ("build"), to run its tests ("test")
# or to run it ("run"). Packages that are present already are left alone.
set -euo pipefail

packages="cmake ninja-build g++ pkg-config qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libsqlite3-dev \
libgl-dev qt6-image-formats-plugins qt6-qpa-plugins libdtl-dev qt6-l10n-tools mdbtools-dev libpq-dev"
for what in "$@"; do
    case "$what" in
    build) ;;
    test) packages="$packages cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils xvfb xauth \
desktop-file-utils appstream dpkg-dev lintian qt6-l10n-tools qt6-translations-l10n postgresql-15 mdbtools" ;;
    run) packages="$packages xvfb xauth fonts-liberation2 qt6-translations-l10n mdbtools" ;;
    *) echo "deps.sh: unknown set '$what'" >&2; exit 2 ;;
    esac
done

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing:$missing"
$sudo apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
