#!/usr/bin/env bash
# Builds a fresh demo database from schema.sql and seed.sql and runs every entry of
# statements.sql against it, checking that each statement prepares, runs, and returns the rows
# its @rows / @first lines expect. A developer aid: needs the sqlite3 command-line shell.
#
# Usage: schema/check_statements.sh [statements.sql]
# Exit status: 0 when every entry passes, 1 otherwise.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
statements="${1:-$here/statements.sql}"

if ! command -v sqlite3 >/dev/null 2>&1; then
    echo "check_statements: the sqlite3 shell is missing (apt-get install -y sqlite3)" >&2
    exit 2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
db="$work/demo.sqlite"
sqlite3 -bail "$db" <"$here/schema.sql"
sqlite3 -bail "$db" <"$here/seed.sql"

sep=$'\x1f'
is_number() { [[ "$1" =~ ^-?[0-9]+(\.[0-9]+)?([eE][-+]?[0-9]+)?$ ]]; }
same_value() {
    if is_number "$1" && is_number "$2"; then
        awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 == b + 0) }'
    else
        [[ "$1" == "$2" ]]
    fi
}

passed=0
failed=0
name=""
rows=""
first=""
fail() {
    echo "FAIL $name: $1"
    failed=$((failed + 1))
}

while IFS= read -r line || [[ -n "$line" ]]; do
    case "$line" in
    "-- @name "*) name="${line#-- @name }" ;;
    "-- @rows "*) rows="${line#-- @rows }" ;;
    "-- @first "*) first="${line#-- @first }" ;;
    "--"* | "") ;;
    *)
        sql="$line"
        if ! out="$(sqlite3 -bail -batch -noheader -nullvalue NULL -separator "$sep" "$db" "$sql" 2>&1)"; then
            fail "does not run: $out"
        else
            ok=1
            if [[ -z "$out" ]]; then count=0; else count="$(printf '%s\n' "$out" | wc -l)"; fi
            if [[ -n "$rows" && "$count" -ne "$rows" ]]; then
                fail "expected $rows rows, got $count"
                ok=0
            fi
            if [[ $ok -eq 1 && -n "$first" ]]; then
                IFS="$sep" read -r -a got <<<"$(printf '%s\n' "$out" | head -n 1)"
                IFS='|' read -r -a want <<<"$first"
                for i in "${!want[@]}"; do
                    w="$(echo "${want[$i]}" | sed -e 's/^ *//' -e 's/ *$//')"
                    g="${got[$i]-<missing>}"
                    if ! same_value "$w" "$g"; then
                        fail "column $((i + 1)) of the first row: expected '$w', got '$g'"
                        ok=0
                        break
                    fi
                done
            fi
            [[ $ok -eq 1 ]] && passed=$((passed + 1))
        fi
        name=""
        rows=""
        first=""
        ;;
    esac
done <"$statements"

echo "statements: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
