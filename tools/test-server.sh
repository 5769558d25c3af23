#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A throwaway PostgreSQL 15 server for the tests and the load run.
#   test-server.sh start FOLDER   makes a cluster in FOLDER (created; must not exist) that listens
#                                 only on a Unix socket inside FOLDER, starts it and prints the
#                                 address of its empty database "ardentry"
#   test-server.sh stop FOLDER    stops it and removes FOLDER
# The server runs as an unprivileged user: the caller, or "postgres" when the caller is root.
# Local connections are trusted, except for the role "clerk" (password "s3cret pass'word"),
# which must give its password. The server skips fsync (a throwaway); ARDENTRY_TEST_SERVER_FSYNC=on
# makes it write as a real one does, for figures.
set -euo pipefail
action=${1:?start or stop}
folder=${2:?folder}
bin=/usr/lib/postgresql/15/bin
as_server=()
if [ "$(id -u)" -eq 0 ]; then as_server=(runuser -u postgres --); fi

case "$action" in
start)
    mkdir "$folder"
    chmod 755 "$folder"
    [ ${#as_server[@]} -eq 0 ] || chown postgres "$folder"
    "${as_server[@]}" "$bin/initdb" -D "$folder/data" -U ardentry --auth=trust -E UTF8 \
        --locale=C.UTF-8 >"$folder/initdb.log" 2>&1 || { cat "$folder/initdb.log" >&2; exit 1; }
    {
        echo "local all clerk scram-sha-256"
        cat "$folder/data/pg_hba.conf"
    } >"$folder/hba" && "${as_server[@]}" cp "$folder/hba" "$folder/data/pg_hba.conf"
    "${as_server[@]}" "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -s \
        -o "-c listen_addresses='' -k $folder -c fsync=${ARDENTRY_TEST_SERVER_FSYNC:-off} -c max_connections=60" start
    "$bin/psql" -h "$folder" -U ardentry -d postgres -qAt -v ON_ERROR_STOP=1 \
        -c "CREATE DATABASE ardentry" \
        -c "CREATE ROLE clerk LOGIN SUPERUSER PASSWORD 's3cret pass''word'" >/dev/null
    enc=$(printf '%s' "$folder" | sed 's|/|%2F|g')
    echo "postgresql://ardentry@$enc/ardentry"
    ;;
stop)
    if [ -d "$folder/data" ]; then
        "${as_server[@]}" "$bin/pg_ctl" -D "$folder/data" -w -s -m fast stop || true
    fi
    rm -rf "$folder"
    ;;
*) echo "test-server.sh: start or stop" >&2; exit 2 ;;
esac
