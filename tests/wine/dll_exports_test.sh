#!/usr/bin/env bash
# Tandrel.dll must be built for its architecture, export exactly the fifteen
# callbacks, undecorated, and import system DLLs only (no libgcc, libstdc++
# or winpthread). A static check: it runs on every machine.
# usage: tests/wine/dll_exports_test.sh path/to/Tandrel.dll x86|x64
set -euo pipefail
dll="$1"
arch="$2"
fail() { echo "FAIL: $*" >&2; exit 1; }
case "$arch" in
  x86) format=pei-i386 ;;
  x64) format=pei-x86-64 ;;
  *) fail "unknown architecture $arch" ;;
esac
# The x86-64 tools read both formats.
dump=$(x86_64-w64-mingw32-objdump -p "$dll")
grep -q "file format $format\$" <<<"$dump" || fail "$dll is not $format"

exports=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' \
  | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort)
expected=$(printf '%s\n' BKC_OnDragDrop BKC_OnEveryMinute BKC_OnExit BKC_OnFinishRetrieve \
  BKC_OnKeyDispatch BKC_OnMenuInit BKC_OnOpenCompose BKC_OnOpenFolder BKC_OnOpenMail \
  BKC_OnOutgoing BKC_OnPlugInInfo BKC_OnPlugInSetup BKC_OnRetrieve BKC_OnSend BKC_OnStart | sort)
[ "$exports" = "$expected" ] || fail "exports differ:
$(diff <(printf '%s\n' "$expected") <(printf '%s\n' "$exports") || true)"

allowed='^(KERNEL32|USER32|GDI32|COMCTL32|VERSION|msvcrt|ADVAPI32)\.dll$'
printf '%s\n' "$dump" | sed -n 's/^\s*DLL Name: //p' | while read -r name; do
  printf '%s\n' "$name" | grep -qiE "$allowed" || fail "imports $name"
done
echo "$dll ($arch) exports and imports: ok"
