#!/usr/bin/env python3
"""Prints the benchmarks of tandrel_bench (its JSON output) as a table: each
case beside its floor with the ratio and its target, and the growth from one
size to the next ten-fold one. Exits 1 when a target is missed."""
import json
import sys

# case -> (floor case, greatest ratio to it)
FLOORS = {
    "InsertRule": ("InsertRuleFloor", 1.3),
    "InsertRuleDeleteSame": ("InsertRuleFloor", 1.3),
    "AddAddress": ("AddAddressFloor", 1.3),
    "GroupTree": ("GroupTreeFloor", 2.0),
}
GROWTH_LIMIT = 11.0  # ten times the size: at most this many times the time


def main(path):
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    times = {}
    for run in runs:
        if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
            continue
        name = run["run_name"] if "run_name" in run else run["name"]
        case, _, size = name.partition("/")
        times[(case, int(size) if size else 0)] = run["real_time"] * {
            "ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]
    missed = []
    print(f"{'case':<22}{'size':>8}{'time ms':>11}{'floor ms':>11}{'ratio':>8}{'target':>8}")
    shown = lambda ms: f"{ms:>11.4f}" if ms < 0.1 else f"{ms:>11.3f}"
    for (case, size), time in sorted(times.items()):
        if case.endswith("Floor"):
            continue
        line = f"{case:<22}{size:>8}{shown(time)}"
        if case in FLOORS:
            floor_case, limit = FLOORS[case]
            floor = times[(floor_case, size)]
            ratio = time / floor
            ok = ratio <= limit
            line += f"{shown(floor)}{ratio:>8.2f}{limit:>8.1f}" + ("" if ok else "  MISSED")
            if not ok:
                missed.append(f"{case}/{size}: {ratio:.2f} to its floor")
        print(line)
    print()
    print(f"{'growth (10x the size)':<36}{'times':>8}{'target':>8}")
    for (case, size), time in sorted(times.items()):
        # The next size of the case at about ten times this one.
        larger = [(s, t) for (c, s), t in times.items() if c == case and 9.9 <= s / size <= 10.1]
        if not larger:
            continue
        bigger_size, bigger = larger[0]
        growth = bigger / time
        # A floor's growth is shown for comparison; the targets are the cases'.
        floor = case.endswith("Floor")
        ok = floor or growth <= GROWTH_LIMIT
        print(f"{case + ' ' + str(size) + ' -> ' + str(bigger_size):<36}{growth:>8.2f}"
              + (f"{'(floor)':>8}" if floor else f"{GROWTH_LIMIT:>8.1f}")
              + ("" if ok else "  MISSED"))
        if not ok:
            missed.append(f"{case}/{size}: {growth:.2f} times for ten times the size")
    if missed:
        print("\ntargets missed: " + "; ".join(missed))
        return 1
    print("\nevery target met")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
