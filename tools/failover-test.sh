#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A primary PostgreSQL server with a streaming standby, and Ardentry's load run across a restart
# of the primary and a fail-over to the standby.
#   failover-test.sh [BUILD]   (default build-tests; needs ardentry-newdb and ardentry-load)
# Both servers listen on Unix sockets only, each in its own folder; the address names both
# folders with target_session_attrs=read-write, so a connection goes to whichever is the
# primary. The standby is synchronous: a save reported done is on both servers.
# Steps: the load run starts; the primary restarts (pg_ctl restart); later it stops at once
# (pg_ctl stop -m immediate, as a crash) and the standby is promoted. An edit typed before each
# event is saved by one command after it. Passes when that save works and reaches the server,
# and the load run's check passes (no save lost, no unreported conflict, no number twice, every
# client working again). Prints the load run's figures. Everything is stopped and removed at
# the end.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-${ARDENTRY_BUILD_DIR:-build-tests}}
load=$build/ardentry-load
newdb=$build/ardentry-newdb
if [ ! -x "$load" ] || [ ! -x "$newdb" ]; then
    echo "failover-test: build $load and $newdb first" >&2
    exit 1
fi
pg=/usr/lib/postgresql/15/bin
as_server=()
if [ "$(id -u)" -eq 0 ]; then as_server=(runuser -u postgres --); fi
seconds=${ARDENTRY_FAILOVER_SECONDS:-30}
clients=${ARDENTRY_FAILOVER_CLIENTS:-6}

# A short folder: a socket's path is limited to about 100 characters.
work=$(mktemp -d /tmp/ardentry-fo-XXXXXX)
chmod 755 "$work"
mkdir "$work/a" "$work/b"
[ ${#as_server[@]} -eq 0 ] || chown postgres "$work/a" "$work/b"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for side in a b; do
        if [ -f "$work/$side/data/postmaster.pid" ]; then
            "${as_server[@]}" "$pg/pg_ctl" -D "$work/$side/data" -m immediate -s stop || true
        fi
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    for log in "$work"/a/server.log "$work"/b/server.log; do
        [ -f "$log" ] && { echo "== $log" >&2; tail -n 20 "$log" >&2; }
    done
    exit 1
}
server() { # a or b, then pg_ctl's words
    local side=$1
    shift
    "${as_server[@]}" "$pg/pg_ctl" -D "$work/$side/data" -l "$work/$side/server.log" -w -s "$@"
}
sql() { # a or b, database, statement
    "$pg/psql" -h "$work/$1" -U ardentry -d "$2" -qAt -v ON_ERROR_STOP=1 -c "$3"
}
# Waits (10 s at most) until the statement's answer is the expected one.
await() { # what, a or b, database, statement, answer
    local _
    for _ in $(seq 1 100); do
        [ "$(sql "$2" "$3" "$4" 2>/dev/null)" = "$5" ] && return 0
        sleep 0.1
    done
    fail "$1"
}
# The servers skip fsync (their folders are thrown away); a stop "at once" still loses nothing
# the operating system holds. The standby asks for the primary again every 200 ms.
options="-c listen_addresses='' -c fsync=off -c max_connections=60 -c wal_retrieve_retry_interval=200ms"

# The primary: replication by local connections is allowed by initdb's pg_hba.conf.
"${as_server[@]}" "$pg/initdb" -D "$work/a/data" -U ardentry --auth=trust -E UTF8 \
    --locale=C.UTF-8 >"$work/a/initdb.log" 2>&1 || { cat "$work/a/initdb.log" >&2; exit 1; }
server a -o "$options -k $work/a -c wal_level=replica" start
sql a postgres "CREATE DATABASE ardentry"
sql a postgres "CREATE DATABASE typed"
enc() { printf '%s' "$1" | sed 's|/|%2F|g'; }
both="$(enc "$work/a"),$(enc "$work/b")"
address="postgresql://ardentry@$both/ardentry?target_session_attrs=read-write"
typed="postgresql://ardentry@$both/typed?target_session_attrs=read-write"
"$newdb" "postgresql://ardentry@$(enc "$work/a")/ardentry" --articles 200 >/dev/null
"$newdb" "postgresql://ardentry@$(enc "$work/a")/typed" --sample >/dev/null

# The standby: a copy of the primary that follows it (-R writes primary_conninfo).
"${as_server[@]}" "$pg/pg_basebackup" -D "$work/b/data" -h "$work/a" -U ardentry -R -X stream \
    -c fast >"$work/b/basebackup.log" 2>&1 || { cat "$work/b/basebackup.log" >&2; exit 1; }
server b -o "$options -k $work/b" start
await "the standby does not stream" a postgres \
    "SELECT count(*) FROM pg_stat_replication WHERE state = 'streaming'" 1
# Synchronous from now on: the primary reports a COMMIT once the standby has it. Set on the
# primary alone (the standby's copy was made before), so the promoted standby does not wait
# for a standby of its own.
sql a postgres "ALTER SYSTEM SET synchronous_standby_names = '*'"
sql a postgres "SELECT pg_reload_conf()" >/dev/null
await "the standby is not synchronous" a postgres \
    "SELECT sync_state FROM pg_stat_replication" sync
echo "primary $work/a, standby $work/b; address $address"

# An edit typed before an event and saved after it: started in the background, it creates its
# file once typed and saves when the file is gone.
typed_edit() { # name
    "$load" "$typed" --edit-across "$work/$1.typed" >"$work/$1.out" 2>&1 &
    pids+=("$!")
    local _
    for _ in $(seq 1 100); do
        [ -e "$work/$1.typed" ] && return 0
        sleep 0.1
    done
    cat "$work/$1.out" >&2
    fail "the edit before the $1 was not typed"
}
saved_edit() { # name, pid
    rm -f "$work/$1.typed"
    wait "$2" || { cat "$work/$1.out" >&2; fail "the edit typed before the $1 was lost"; }
    echo "$1: $(tail -n 1 "$work/$1.out")"
}

"$load" "$address" --clients "$clients" --seconds "$seconds" --expect-outages >"$work/load.out" 2>&1 &
load_pid=$!
pids+=("$load_pid")
started=$SECONDS
for _ in $(seq 1 100); do
    grep -q '^ardentry-load:' "$work/load.out" && break
    sleep 0.1
done
sleep $((seconds / 4))

typed_edit restart
restart_edit=${pids[-1]}
at=$((SECONDS - started))
server a restart -m fast
echo "restart of the primary at about ${at} s of the load run: done in $((SECONDS - started - at)) s"
saved_edit restart "$restart_edit"
sleep $((seconds / 3))

typed_edit fail-over
failover_edit=${pids[-1]}
at=$((SECONDS - started))
"${as_server[@]}" "$pg/pg_ctl" -D "$work/a/data" -m immediate -s stop
server b promote
echo "fail-over at about ${at} s of the load run: the primary stopped at once, the standby" \
    "promoted in $((SECONDS - started - at)) s"
saved_edit fail-over "$failover_edit"
[ "$(sql b postgres "SELECT pg_is_in_recovery()")" = f ] || fail "the standby is not the primary"

# The load run ends by itself after its seconds; its check waits for the server if need be.
if wait "$load_pid"; then ok=1; else ok=0; fi
cat "$work/load.out"
[ $ok = 1 ] || fail "the load run's check"
echo "fail-over test passed"
