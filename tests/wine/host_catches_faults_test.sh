#!/usr/bin/env bash
# The Wine runner must fail when the plug-in goes wrong: a reload that does
# not recognise the host's rules dialog (it stays open and visible), a reload
# never asked for, a label edit the plug-in does not end before its own
# end-of-editing notification, a folder tree it never activates, and a
# callback exported under its decorated name. And when a scenario expects
# what is not so, or leaves a dialog open, it fails with the step's line and
# still closes the plug-in's dialogs and ends.
# usage: tests/wine/host_catches_faults_test.sh x86|x64
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a "$0" "$@"
fi
top="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=scripts/wine-prefix
source "$top/scripts/wine-prefix"
arch="$1"
build="$(windows_build "$arch")"
start_wine "$arch"
fail() { echo "FAIL: $*" >&2; exit 1; }
scenario="$top/tests/e2e/scenarios/receive-subfolder-full"
host="$build/tools/testhost/testhost.exe"
export TANDREL_STEP_TIMEOUT=5

# expect_failure WHAT TEXT SCENARIO OPTIONS...: the host must fail, saying TEXT.
expect_failure() {
  local what="$1" text="$2" run="$3"; shift 3
  local out rc=0
  out=$(wine_once_more wine "$host" "$@" "$run" </dev/null | tr -d '\r') || rc=$?
  [ $rc -ne 0 ] || fail "$what passed:
$out"
  printf '%s\n' "$out" | grep -qF "$text" || fail "$what failed otherwise:
$out"
  last_out="$out"
  echo "caught: $what"
}

out=$(wine_once_more wine "$host" "$scenario" </dev/null | tr -d '\r') || fail "the scenario fails without a fault: $out"
expect_failure "an unrecognised rules dialog" \
  "the host's rules dialog is still open and visible" "$scenario" --fault rules-unrecognised
# Without the reload the rules in use are the old ones: the run moves nothing.
expect_failure "a missing reload" "missing: Main/!!!!Inbox/Ann Lee/0001.eml" "$scenario" \
  --fault no-reload
if printf '%s\n' "$last_out" | grep -qx '  log: reload'; then
  fail "the host logged a reload that did not happen"
fi
expect_failure "an end-of-editing notification while the label is open" \
  "the end-of-editing notification came while the label editor was open" "$scenario" \
  --fault tree-sequence
expect_failure "a folder tree never activated" \
  "the new-folder command came while the folder tree was not the active pane" "$scenario" \
  --fault no-tree-activation
expect_failure "a decorated export" "the plug-in exports no BKC_OnDragDrop" "$scenario" \
  --plugin "$build/src/Tandrel_decorated.dll"
broken="$(mktemp -d)"
trap 'stop_wine; rm -rf "$broken"' EXIT
cp -r "$top/tests/e2e/scenarios/address-group-new-group" "$broken/wrong"
sed -i 's/^    set 1066 "School"$/    expect-text 1066 "School"/' "$broken/wrong/steps"
line=$(grep -n 'expect-text 1066 "School"' "$broken/wrong/steps" | cut -d: -f1)
expect_failure "a wrong expectation" "line $line: expect-text: saw \"\"" "$broken/wrong"
cp -r "$top/tests/e2e/scenarios/address-group-new-group" "$broken/open"
sed -i '/^  dialog "AddressGroup"$/,$d' "$broken/open/steps"
expect_failure "a dialog left open" "the script ended while a dialog was open" "$broken/open"

if "$top/tests/wine/dll_exports_test.sh" "$build/src/Tandrel_decorated.dll" "$arch" >/dev/null 2>&1; then
  fail "the export check passed a decorated name"
fi
echo "caught: a decorated export, by the export check"
