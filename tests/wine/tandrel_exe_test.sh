#!/usr/bin/env bash
# Runs the Windows build of the command-line tool under Wine, so the Win32
# Files adapter (ANSI paths, atomic replace with backup) is exercised for real.
# usage: tests/wine/tandrel_exe_test.sh path/to/tandrel.exe
set -euo pipefail
exe="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
work="$(mktemp -d)"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
tool() { wine "$exe" "$@"; }

mkdir -p "$work/data/Main"
# Z: is the root of the Linux file system in every Wine prefix.
rules="Z:${work//\//\\}\\data\\Main\\iFilter.Def"

tool rules add "$rules" --folder 'Main\!!!!Inbox\Work\' --header From --address ann@example.com \
  || fail "first add"
tool rules add "$rules" --folder 'Main\!!!!Inbox\Work\' --header From --address bob@example.com --place 1 \
  || fail "second add"

expected=$(printf ':Begin ""\r\n!M:Main\\!!!!Inbox\\Work\\\r\n@0:From:bob@example.com\tO\tI\r\n@0:From:ann@example.com\tO\tI\r\n:End ""\r\n')
[ "$(cat "$work/data/Main/iFilter.Def")" = "$expected" ] || fail "file content: $(od -c "$work/data/Main/iFilter.Def")"
grep -q 'ann@example.com' "$work/data/Main/iFilter.Def.bak" || fail "backup missing"
grep -q 'bob@example.com' "$work/data/Main/iFilter.Def.bak" && fail "backup is not the former content"
[ "$(ls "$work/data/Main" | tr '\n' ' ')" = "iFilter.Def iFilter.Def.bak " ] || fail "stray files: $(ls -a "$work/data/Main")"

tool rules undo "$rules" || fail "undo"
grep -q 'bob@example.com' "$work/data/Main/iFilter.Def" && fail "undo did not put the backup back"

set +e
tool rules add "$rules" --folder 'Main\' --header 'X:Y' --address a@b 2>/dev/null; refused=$?
tool rules add "$rules" --place 2>/dev/null; usage=$?
set -e
[ $refused -eq 1 ] || fail "a refused header exits $refused, not 1"
[ $usage -eq 2 ] || fail "a usage error exits $usage, not 2"
echo "tandrel.exe under Wine: ok"
