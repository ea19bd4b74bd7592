#!/usr/bin/env bash
# Runs the Windows build of the command-line tool under Wine, so the Win32
# Files adapter (ANSI paths, atomic replace with backup) is exercised for real.
# usage: tests/wine/tandrel_exe_test.sh x86|x64
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=scripts/wine-prefix
source "$top/scripts/wine-prefix"
exe="$(windows_build "$1")/tools/tandrel/tandrel.exe"
start_wine "$1"
work="$(mktemp -d)"
trap 'stop_wine; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
tool() { wine_once_more wine "$exe" "$@"; }

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
[ -s "$work/data/Main/iFilter.Def.bak2" ] && fail "the version before the first add is not empty"
[ "$(ls "$work/data/Main" | tr '\n' ' ')" = "iFilter.Def iFilter.Def.bak iFilter.Def.bak2 " ] \
  || fail "stray files: $(ls -a "$work/data/Main")"

tool rules undo "$rules" || fail "undo"
grep -q 'bob@example.com' "$work/data/Main/iFilter.Def" && fail "undo did not put the backup back"

set +e
tool rules add "$rules" --folder 'Main\' --header 'X:Y' --address a@b 2>/dev/null; refused=$?
tool rules add "$rules" --place 2>/dev/null; usage=$?
set -e
[ $refused -eq 1 ] || fail "a refused header exits $refused, not 1"
[ $usage -eq 2 ] || fail "a usage error exits $usage, not 2"
# Refusals that leave the file as it is: a read-only file, another writer's
# lock (after the wait), and a condition line the host would read as two.
refused() {  # refused TEXT ARGS...: the tool exits 1 and says TEXT
  local text="$1"; shift
  local rc=0
  tool "$@" 2>"$work/err" || rc=$?
  [ $rc -eq 1 ] && grep -q "$text" "$work/err" || fail "$* exited $rc: $(cat "$work/err")"
}
before=$(cat "$work/data/Main/iFilter.Def")
chmod 0444 "$work/data/Main/iFilter.Def"
refused "read-only" rules add "$rules" --folder 'Main\!!!!Inbox\Work\' --header From --address c@x
chmod 0644 "$work/data/Main/iFilter.Def"
: > "$work/data/Main/iFilter.Def.lock"
refused "Another program" rules add "$rules" --folder 'Main\!!!!Inbox\Work\' --header From --address c@x
rm "$work/data/Main/iFilter.Def.lock"
refused "254 characters" rules add "$rules" --folder 'Main\!!!!Inbox\Work\' --header From \
  --address "$(printf 'a%.0s' {1..234})@evil.example@0:Subject:"
[ "$(cat "$work/data/Main/iFilter.Def")" = "$before" ] || fail "a refused change was written"
[ "$(ls "$work/data/Main" | tr '\n' ' ')" = "iFilter.Def iFilter.Def.bak iFilter.Def.bak2 iFilter.Def.bak3 " ] \
  || fail "stray files: $(ls -a "$work/data/Main")"

# Ten versions kept through the Win32 renames: after twelve more adds the
# oldest two gave way, version 10 is the content of the second add, and an
# undo to it can itself be undone.
cp "$work/data/Main/iFilter.Def" "$work/v0"
for i in $(seq 1 12); do
  tool rules add "$rules" --folder 'Main\!!!!Inbox\Home\' --header From --address "a$i@x" \
    || fail "add $i"
  cp "$work/data/Main/iFilter.Def" "$work/v$i"
done
[ ! -e "$work/data/Main/iFilter.Def.bak11" ] || fail "an eleventh version"
cmp -s "$work/data/Main/iFilter.Def.bak" "$work/v11" || fail "version 1 is not the former content"
cmp -s "$work/data/Main/iFilter.Def.bak10" "$work/v2" || fail "version 10 is not the tenth before"
[ "$(tool rules history "$rules" | grep -c ' bytes  iFilter.Def.bak')" = 10 ] || fail "history lines"
tool rules history "$rules" | head -1 | grep -q 'iFilter.Def.bak  + From contains a12@x -> Main' \
  || fail "history summary: $(tool rules history "$rules" | head -1)"
tool rules undo "$rules" --to 10 || fail "undo --to 10"
cmp -s "$work/data/Main/iFilter.Def" "$work/v2" || fail "undo --to 10 put back another version"
tool rules undo "$rules" || fail "undo of the undo"
cmp -s "$work/data/Main/iFilter.Def" "$work/v12" || fail "the undo was not undone"
# A read-only oldest version, which Windows will not delete, gives way all
# the same: keeping versions never stops a change.
cp "$work/data/Main/iFilter.Def.bak9" "$work/former9"
chmod a-w "$work/data/Main/iFilter.Def.bak10"
tool rules add "$rules" --folder 'Main\!!!!Inbox\Home\' --header From --address "ro@x" \
  || fail "add over a read-only oldest version"
cmp -s "$work/data/Main/iFilter.Def.bak10" "$work/former9" || fail "the oldest did not give way"
# Nothing beside the file and its ten versions: no version left standing
# aside (FILE.bak11), no temporary file.
[ "$(ls "$work/data/Main" | grep -c -v -E '^iFilter\.Def(\.bak([2-9]|10)?)?$')" = 0 ] \
  || fail "left beside the versions: $(ls "$work/data/Main")"

# A large rule file rewritten in pieces: the Win32 adapter writes the same
# bytes as the native one, for a condition put at the top of a block in the
# middle and for one removed from every block (--delete-same).
native="$top/build/native/tools/tandrel/tandrel"
[ -x "$native" ] || fail "the native tool is not built: $native"
python3 - "$work/big.Def" <<'PY'
import sys
lines = []
for block in range(3000):
    lines += [':Begin ""', f'!M:Main\\!!!!Inbox\\F{block:04}\\']
    lines += [f'@0:From:sender{block}-{n}@example.com\tO\tI' for n in range(12)]
    lines += ['@0:To:list@example.com\tO\tI', ':End ""']
open(sys.argv[1], 'wb').write(('\r\n'.join(lines) + '\r\n').encode())
PY
for change in "--place 1" "--delete-same"; do
  # A new condition at the top of a block; the To line every block has, moved.
  address=new@example.com
  [ "$change" = --delete-same ] && address=list@example.com
  for side in native wine; do
    cp "$work/big.Def" "$work/$side.Def"
  done
  # shellcheck disable=SC2086
  "$native" rules add "$work/native.Def" --folder 'Main\!!!!Inbox\F1500\' --header To \
    --address "$address" $change || fail "native add $change"
  # shellcheck disable=SC2086
  tool rules add "Z:${work//\//\\}\\wine.Def" --folder 'Main\!!!!Inbox\F1500\' --header To \
    --address "$address" $change || fail "add $change"
  cmp -s "$work/native.Def" "$work/wine.Def" || fail "a large file written in pieces differs ($change)"
  cmp -s "$work/big.Def" "$work/wine.Def" && fail "the large file did not change ($change)"
  cmp -s "$work/big.Def" "$work/wine.Def.bak" || fail "the backup of a large file differs ($change)"
done

# The address book through the Win32 profile and file functions.
book="$work/data/AddrBook/@Private"
mkdir -p "$book/Friends" "$work/temp"
: > "$book/Group.ini"; : > "$book/Friends/Group.ini"
data="Z:${work//\//\\}\\data"
temp="Z:${work//\//\\}\\temp"
[ "$(tool book tree "$data" | tr -d '\r')" = "$(printf 'Private\n  Friends\ndefault: Private:Friends')" ] \
  || fail "book tree: $(tool book tree "$data")"
tool book add "$data" --group 'Private:Friends' --address ann@example.com --name Ann --temp-folder "$temp" \
  || fail "book add"
[ "$(cat "$book/Friends/Group.idx")" = "$(printf '0\t0\tbab0001.tmp\tAnn\tann@example.com\t\t\t1\r')" ] \
  || fail "group index: $(od -c "$book/Friends/Group.idx")"
[ "$(tool book check "$data" | tr -d '\r')" = "nothing found" ] || fail "book check: $(tool book check "$data")"
set +e
tool book add "$data" --group 'Private:Friends' --address ann@example.com --name Ann --temp-folder "$temp" 2>/dev/null
duplicate=$?
set -e
[ $duplicate -eq 1 ] || fail "a duplicate address exits $duplicate, not 1"
mkdir -p "$work/outside/G"
: > "$work/outside/G/Group.ini"
refused "can't be found" book add "$data" --group 'Private\..\..\..\outside:G' --address e@x --name E \
  --temp-folder "$temp"
[ ! -e "$work/outside/G/Group.idx" ] || fail "the book name left the address book"
tool book new-group "$data" --under 'Private:' --name Work || fail "new-group"
[ "$(cat "$book/Work/Folder.ini")" = "$(printf '[Settings]\r\nNickName=\r\nExpanded=1\r')" ] \
  || fail "group settings: $(od -c "$book/Work/Folder.ini")"
echo "tandrel.exe ($1) under Wine: ok"
