#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program: `tst_install.sh BUILD` installs a built tree into a temporary folder
# with cmake --install; `tst_install.sh --tree PREFIX` checks a tree installed otherwise (the
# unpacked Debian package). Checks the files a desktop needs, validates the desktop entry and
# the AppStream metainfo, runs --version and --help without a display, and starts the installed
# program headless (--check-start) on a new database.
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ "$1" = --tree ]; then
    prefix=$2
else
    cmake --install "$1" --prefix "$work/usr" >/dev/null
    prefix=$work/usr
fi
id=com.kestrow.Ardentry
fail() { echo "FAIL: $*" >&2; exit 1; }

# The files, the icon at each size.
for f in bin/ardentry bin/ardentry-newdb bin/ardentry-load bin/ardentry-csv \
    share/applications/$id.desktop \
    share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
    share/ardentry/Help/arhelp.htm share/ardentry/translations/ardentry.ts \
    share/doc/ardentry/copyright share/doc/ardentry/changelog.gz; do
    [ -s "$prefix/$f" ] || fail "$f is not installed"
done
# A man page for every program installed.
for program in "$prefix"/bin/*; do
    [ -s "$prefix/share/man/man1/$(basename "$program").1.gz" ] || fail "no man page for $program"
done
# The helper that reads Access files' Nulls, where the program looks for it, when it was built.
if [ "$1" != --tree ] && [ -x "$1/ardentry-mdb-read" ]; then
    [ -x "$prefix/libexec/ardentry/ardentry-mdb-read" ] || fail "ardentry-mdb-read is not installed"
fi
for size in 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    [ -s "$png" ] || fail "no $size px icon"
    # The width and the height in the PNG header.
    set -- $(od -An -tu1 -j16 -N8 "$png")
    [ "$(($3 * 256 + $4))x$(($7 * 256 + $8))" = "${size}x$size" ] || fail "$png is not $size px"
done
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo"

# Help and version need no display: a platform without one would end the program.
nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$@"; }
nodisplay "$prefix/bin/ardentry" --version | grep -q '^Ardentry [0-9]' || fail "--version"
nodisplay "$prefix/bin/ardentry" --help | grep -q 'database' || fail "--help"
nodisplay "$prefix/bin/ardentry-load" --help | grep -q '^Usage: ardentry-load' || fail "load --help"
# Without a display the program says so in one line and ends with 1, whichever platform needs one.
for platform in xcb wayland ""; do
    status=0
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=$platform "$prefix/bin/ardentry" 2>&1) ||
        status=$?
    [ "$status:$out" = "1:Ardentry needs a graphical display: DISPLAY and WAYLAND_DISPLAY are not set." ] ||
        fail "no display, platform '$platform': exit $status, '$out'"
done

# Started headless on a new database, with a user's own folders: the program folder has no
# Ini folder, so the preferences live in $XDG_CONFIG_HOME/Ardentry.
# Offscreen needs no display either.
unset DISPLAY WAYLAND_DISPLAY
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Ardentry"
"$prefix/bin/ardentry-newdb" "$work/new.db" >/dev/null
"$prefix/bin/ardentry-newdb" "$work/other.db" --sample >/dev/null
ini=$XDG_CONFIG_HOME/Ardentry/arprefs.ini
printf '[General]\nPath=%s\n' "$work/new.db" >"$ini"
cp "$ini" "$work/ini.before"
out=$("$prefix/bin/ardentry" --check-start 2>&1) || fail "no start: $out"
for line in "database: $work/new.db (1 articles)" "preferences: $ini" \
    "guide: $prefix/share/ardentry/Help/arhelp.htm" 'window "Kestrow Ardentry" with its icon'; do
    echo "$out" | grep -qF "$line" || fail "expected '$line' in: $out"
done
# A database on the command line is for this run only.
out=$("$prefix/bin/ardentry" --check-start "$work/other.db" 2>&1) || fail "no start: $out"
echo "$out" | grep -qF "database: $work/other.db" || fail "command line database: $out"
cmp -s "$ini" "$work/ini.before" || fail "the command line changed the stored path"
# No database yet and nobody to answer the welcome window: it ends, writing nothing.
rm "$ini"
if "$prefix/bin/ardentry" --check-start >/dev/null 2>&1; then fail "started without a database"; fi
[ ! -e "$ini" ] || fail "a first start that quit wrote $ini"
echo "installed tree $prefix: passed"
