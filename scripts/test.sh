#!/usr/bin/env bash
# Builds Quorvan and runs every test:
#   1. build/       g++, RelWithDebInfo: all test suites
#   2. build-asan/  clang++ with AddressSanitizer and UndefinedBehaviorSanitizer: all test suites
#   2b. the window program of build-asan/ driven with random input under Xvfb for SOAK_SECONDS
#       (default 60) seconds (scripts/soak-window.sh)
#   3. build-fuzz/  clang++ with libFuzzer: each fuzz target for FUZZ_SECONDS (default 60) seconds
#   4. only with BENCH=1: a short run of the benchmarks
#   5. build/ installed into a staging folder, removed again, and packaged as a .deb that lintian
#      checks (scripts/test-install.sh)
# Ends with one line "N passed, M failed" (test cases of both builds, fuzz targets, the soak and
# the install check counted as one each) and a non-zero exit status when anything failed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

fuzz_seconds=${FUZZ_SECONDS:-60}
soak_seconds=${SOAK_SECONDS:-60}
jobs=${JOBS:-2}
started=$(date +%s)
passed=0
failed=0
finished=0
log_dir=$(mktemp -d)

summary() {
  local status=$?
  if ((finished == 0)); then
    # Stopped early (a build or configure step failed): count that as a failure.
    ((failed == 0)) && failed=1
    echo "test.sh stopped early; logs are in $log_dir" >&2
  elif ((failed == 0)); then
    rm -rf "$log_dir"
  else
    echo "logs are in $log_dir" >&2
  fi
  echo "Total time: $(($(date +%s) - started)) s"
  echo "$passed passed, $failed failed"
  if ((status == 0 && failed > 0)); then status=1; fi
  exit "$status"
}
trap summary EXIT

stage() { echo; echo "== $* =="; }

configure_and_build() {
  local dir=$1
  shift
  local generator=()
  if [[ ! -f $dir/CMakeCache.txt ]] && command -v ninja >/dev/null 2>&1; then
    generator=(-G Ninja)
  fi
  if ! cmake -S "$root" -B "$dir" "${generator[@]}" "$@" >"$log_dir/$(basename "$dir")-configure.log" 2>&1; then
    cat "$log_dir/$(basename "$dir")-configure.log" >&2
    return 1
  fi
  if ! cmake --build "$dir" -j "$jobs" >"$log_dir/$(basename "$dir")-build.log" 2>&1; then
    tail -n 60 "$log_dir/$(basename "$dir")-build.log" >&2
    return 1
  fi
  grep -E 'warning:' "$log_dir/$(basename "$dir")-build.log" | sort -u | head -n 20 || true
}

# Runs ctest in a build folder and adds its counts to the totals.
run_ctest() {
  local dir=$1
  local log="$log_dir/$(basename "$dir")-ctest.log"
  local status=0
  (cd "$dir" && ctest --output-on-failure --no-tests=error -j "$jobs") >"$log" 2>&1 || status=$?
  # Failures first, with their output; then ctest's own summary.
  if ((status != 0)); then
    cat "$log"
  else
    grep -E 'tests passed|Total Test time' "$log" || true
  fi
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [[ -z $line ]]; then
    echo "ctest in $dir printed no result line" >&2
    failed=$((failed + 1))
    return 0
  fi
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  if ((status != 0 && bad == 0)); then failed=$((failed + 1)); fi
}

export QT_QPA_PLATFORM=offscreen

stage "Dependencies"
bash scripts/install-deps.sh

stage "Build (g++, RelWithDebInfo) and tests"
configure_and_build build -DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVAN_TESTS=ON -DQUORVAN_BENCH=ON -DQUORVAN_SANITIZE=OFF -DQUORVAN_FUZZ=OFF
run_ctest build

stage "Build (clang++, AddressSanitizer + UndefinedBehaviorSanitizer) and tests"
configure_and_build build-asan -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DQUORVAN_SANITIZE=ON -DQUORVAN_TESTS=ON -DQUORVAN_BENCH=OFF -DQUORVAN_FUZZ=OFF
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
run_ctest build-asan
unset ASAN_OPTIONS UBSAN_OPTIONS

stage "Soak: the window program (build-asan) under Xvfb with random input, ${soak_seconds} s"
# The script sets its own sanitizer options, display and settings folder; its seed is printed.
if SOAK_SECONDS=$soak_seconds bash scripts/soak-window.sh build-asan/src/app/gui/quorvan >"$log_dir/soak.log" 2>&1; then
  grep -E '^soak: seed .*faults$' "$log_dir/soak.log" || true
  passed=$((passed + 1))
else
  tail -n 60 "$log_dir/soak.log"
  failed=$((failed + 1))
fi

stage "Fuzzing (clang++, libFuzzer), ${fuzz_seconds} s per target"
configure_and_build build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVAN_FUZZ=ON -DQUORVAN_TESTS=OFF -DQUORVAN_BENCH=OFF -DQUORVAN_SANITIZE=OFF
mapfile -t fuzz_targets < <(find build-fuzz/fuzz -maxdepth 1 -type f -perm -u+x -name '*_fuzz' | sort)
if ((${#fuzz_targets[@]} == 0)); then
  echo "no fuzz targets were built" >&2
  failed=$((failed + 1))
fi
for target in "${fuzz_targets[@]}"; do
  name=$(basename "$target")
  corpus=$(mktemp -d)
  artifacts="$log_dir/$name-artifacts"
  mkdir -p "$artifacts"
  # Every target's seeds, not only its own: inputs of one reader are near misses for the others,
  # and a fault they reach at once must show here, not by chance in a later run.
  for seeds in fuzz/corpus/*/; do
    for seed in "$seeds"*; do
      [[ -f $seed ]] && cp "$seed" "$corpus/$(basename "$seeds")-$(basename "$seed")"
    done
  done
  if "$target" -max_total_time="$fuzz_seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus" >"$log_dir/$name.log" 2>&1; then
    runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "$log_dir/$name.log")
    echo "$name: no failure in ${runs:-?} runs"
    passed=$((passed + 1))
  else
    tail -n 40 "$log_dir/$name.log"
    echo "$name FAILED; reproducers kept in $artifacts" >&2
    failed=$((failed + 1))
  fi
  rm -rf "$corpus"
done

if [[ ${BENCH:-0} == 1 ]]; then
  stage "Benchmarks (short run)"
  BUILD_DIR=build MIN_TIME=${BENCH_MIN_TIME:-0.05} bash bench/run-calendar-bench.sh
fi

stage "Install into a staging folder and build the Debian package (build/)"
if bash scripts/test-install.sh build; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi

finished=1
