#!/usr/bin/env bash
# Runs the calendar conversion benchmark and prints nanoseconds per conversion, ours beside
# std::chrono where chrono can take the dates, and their ratio.
#   BUILD_DIR   build folder to use (default: build); configured and built when needed
#   MIN_TIME    seconds per benchmark (default: 0.2)
#   REPETITIONS runs of each benchmark (default: 5), interleaved in random order so that a
#               burst of load from elsewhere on a shared machine falls on both sides alike;
#               the table shows each one's best run
# Any further arguments go to the benchmark program (for example --benchmark_filter=CE).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${BUILD_DIR:-build}
min_time=${MIN_TIME:-0.2}
repetitions=${REPETITIONS:-5}

if [[ ! -f $build_dir/CMakeCache.txt ]]; then
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVAN_BENCH=ON >/dev/null
fi
cmake --build "$build_dir" --target calendar_bench -j2 >/dev/null

json=$(mktemp)
trap 'rm -f "$json"' EXIT
# libbenchmark 1.7 takes the minimum time as plain seconds (no "s" suffix).
"$build_dir/bench/calendar_bench" --benchmark_min_time="$min_time" --benchmark_format=json \
  --benchmark_repetitions="$repetitions" --benchmark_enable_random_interleaving=true "$@" >"$json"

python3 - "$json" <<'PY'
import json, sys

with open(sys.argv[1]) as f:
    report = json.load(f)

# name: BM_<Family>/<ours|chrono>/<range>; ns per conversion from items per second.
table = {}
order = []
for run in report["benchmarks"]:
    if run.get("run_type") == "aggregate":
        continue
    family, who, where = run["run_name"].split("/")[:3]
    key = (family.removeprefix("BM_"), where)
    if key not in table:
        table[key] = {}
        order.append((run["family_index"], key))
    ns = 1e9 / run["items_per_second"]
    table[key][who] = min(ns, table[key].get(who, ns))

mid = {family: cols["ours"] for (family, where), cols in table.items() if where == "mid" and "ours" in cols}

print(f"{'conversion':<22} {'days':<5} {'ours ns':>9} {'chrono ns':>10} {'ours/chrono':>12} {'vs mid':>7}")
for _, (family, where) in sorted(order):
    cols = table[(family, where)]
    ours = cols.get("ours")
    chrono = cols.get("chrono")
    ours_text = f"{ours:9.2f}" if ours is not None else f"{'-':>9}"
    chrono_text = f"{chrono:10.2f}" if chrono is not None else f"{'-':>10}"
    ratio_text = f"{ours / chrono:12.2f}" if ours and chrono else f"{'-':>12}"
    mid_text = f"{ours / mid[family]:7.2f}" if ours and family in mid else f"{'-':>7}"
    print(f"{family:<22} {where:<5} {ours_text} {chrono_text} {ratio_text} {mid_text}")
print("CEkern: the bare Gregorian kernel, without the record's calendar letter and saturation")
print("days: mid = 2,451,545 +- 1,000,000; low = -2,100,000,000 + 0..2,000,000; "
      "high = 2,100,000,000 - 0..2,000,000")
PY
