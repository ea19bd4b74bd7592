#!/usr/bin/env bash
# Loads Tandrel.dll under Wine into a minimal host: the plug-in information
# comes from its version resource, a drop that names no message is declined,
# a host that lacks one of its 54 functions cannot load the plug-in, and the
# Setup dialog opens and closes.
# usage: tests/wine/dll_probe_test.sh x86|x64
set -euo pipefail
# One display for every Wine process of the run: the first one fixes it.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a "$0" "$@"
fi
top="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=../../scripts/wine-prefix
. "$top/scripts/wine-prefix"
build="$(windows_build "$1")"
start_wine "$1"
work="$(mktemp -d)"
trap 'stop_wine; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cp "$build/src/Tandrel.dll" "$build/tools/testhost/dll_probe.exe" \
   "$build/tools/testhost/dll_probe_missing.exe" "$work/"
cd "$work"
out=$(wine dll_probe.exe Tandrel.dll | tr -d '\r')
expected='name: Tandrel plug-in
vendor: Tandrel
version: Ver. 0, 1, 1, 0
description: Plugin to easily enter filters for new addresses (host mail client, version 2)
drop without message: 0'
[ "$out" = "$expected" ] || fail "the probe saw:
$out"
set +e
missing=$(wine dll_probe_missing.exe Tandrel.dll | tr -d '\r'); rc=$?
set -e
[ "$missing" = "load failed" ] && [ $rc -eq 3 ] || fail "a host without BKA_Connect loaded the plug-in: $missing"
# The real Setup dialog opens from its template, and Cancel closes it with 1.
setup=$(wine dll_probe.exe Tandrel.dll setup 0 2>/dev/null | tr -d '\r' | tail -n 2)
[ "$setup" = "$(printf 'setup dialog open\nsetup: 1')" ] || fail "the Setup dialog: $setup"
echo "Tandrel.dll ($1) under Wine: ok"
