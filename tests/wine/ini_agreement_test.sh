#!/usr/bin/env bash
# The project's own INI reader and writer (used on Linux) must answer every
# profile case as the system's GetPrivateProfile* and WritePrivateProfile*
# functions do under Wine: the same probe, built for both, prints its
# answers, and the two outputs must agree line for line.
# usage: tests/wine/ini_agreement_test.sh x86|x64
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a "$0" "$@"
fi
top="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=scripts/wine-prefix
source "$top/scripts/wine-prefix"
native="$top/build/native/tools/testhost/ini_probe"
windows="$(windows_build "$1")/tools/testhost/ini_probe.exe"
start_wine "$1"
work="$(mktemp -d)"
trap 'stop_wine; rm -rf "$work"' EXIT
mkdir -p "$work/native" "$work/wine"
"$native" "$work/native/" > "$work/native.txt"
wine "$windows" "Z:$(printf '%s' "$work/wine/" | tr '/' '\\')" </dev/null | tr -d '\r' > "$work/wine.txt"
if ! diff -u --label native "$work/native.txt" --label "system (Wine)" "$work/wine.txt"; then
  echo "FAIL: the INI answers differ" >&2
  exit 1
fi
echo "INI answers agree: $(wc -l < "$work/native.txt") answers"
