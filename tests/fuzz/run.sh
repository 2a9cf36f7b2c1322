#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UBSan) in build-fuzz and runs each
# for SECONDS seconds, starting from the inputs kept in tests/fuzz/corpus/<target>/. Exits
# non-zero when any target finds a defect; the reproducer is then written into the target's
# corpus folder as crash-<sha1> (or timeout-, leak-, oom-), where the ordinary test run replays
# it, so that it stays a regression input once the defect is mended.
#
#   tests/fuzz/run.sh SECONDS [--update-corpus] [TARGET...]
#
# --update-corpus: afterwards, the kept corpus of each target becomes a smallest set of its old
# and new inputs that covers what they all cover (reproducers stay). Without it the repository's
# corpora are only read.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD

seconds=${1:?usage: tests/fuzz/run.sh SECONDS [--update-corpus] [TARGET...]}
shift
update=0
if [ "${1:-}" = "--update-corpus" ]; then
  update=1
  shift
fi
all=(converter ini stringlist editing editors)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")

build=$root/build-fuzz
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DPEMRIN_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target $(printf 'fuzz_%s ' "${targets[@]}")

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1
failed=()
for target in "${targets[@]}"; do
  kept=$root/tests/fuzz/corpus/$target
  work=$build/corpus/$target
  mkdir -p "$kept" "$work"
  options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1
           -artifact_prefix="$kept/")
  [ -f "$root/tests/fuzz/$target.dict" ] && options+=(-dict="$root/tests/fuzz/$target.dict")
  # Qt keeps caches (fonts, the platform) for the life of the process.
  [ "$target" = editors ] && options+=(-detect_leaks=0)
  echo "== fuzz_$target: $seconds s"
  log=$build/fuzz_$target.log
  if "$build/bin/fuzz_$target" "${options[@]}" "$work" "$kept" >"$log" 2>&1; then
    grep -E '^stat::(number_of_executed_units|new_units_added|peak_rss_mb)' "$log" || true
  else
    failed+=("$target")
    grep -E -A3 'broken rule|ERROR:|runtime error|Test unit written' "$log" | head -40 || true
    echo "fuzz_$target found a defect; its log: $log"
  fi
  if [ "$update" = 1 ]; then
    merged=$build/merged/$target
    rm -rf "$merged"
    mkdir -p "$merged"
    "$build/bin/fuzz_$target" -set_cover_merge=1 -use_counters=0 "${options[@]:1:2}" \
      $([ "$target" = editors ] && echo -detect_leaks=0) "$merged" "$kept" "$work" \
      >"$build/merge_$target.log" 2>&1
    find "$kept" -maxdepth 1 -type f ! -name 'crash-*' ! -name 'timeout-*' ! -name 'leak-*' \
      ! -name 'oom-*' -delete
    cp "$merged"/* "$kept"/ 2>/dev/null || true
    echo "   corpus kept: $(find "$kept" -maxdepth 1 -type f | wc -l) inputs"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "defects found by: ${failed[*]}"
  exit 1
fi
echo "no defects found"
