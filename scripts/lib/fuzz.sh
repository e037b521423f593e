# Builds one libFuzzer target with clang in build-fuzz and runs it. Exits non-zero on a crash,
# a leak, undefined behaviour or an input slower than 10 s.
# shellcheck shell=bash

# run_fuzzer <target> <seconds> <seed folder> [more libFuzzer options]
run_fuzzer() {
  local target="$1" seconds="$2" seeds="$3"
  shift 3
  local root build
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
  build="$root/build-fuzz"

  local generator=()
  if command -v ninja > /dev/null; then
    generator=(-G Ninja)
  fi
  mkdir -p "$build"
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" "${generator[@]}" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRETTERUM_FUZZ=ON -DRETTERUM_TESTS=OFF > "$build/configure.log" \
      || { cat "$build/configure.log"; return 1; }
  cmake --build "$build" --target "$target" -j2

  local corpus
  corpus="$(mktemp -d)"
  cp -r "$seeds"/. "$corpus"/

  export QT_QPA_PLATFORM=offscreen
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
  export ASAN_OPTIONS="detect_odr_violation=0"

  local log="$build/$target.log"
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/$target-" -print_final_stats=1 "$@" "$corpus" > "$log" 2>&1; then
    rm -rf "$corpus"
    tail -80 "$log"
    echo "$target: finding, see $log"
    return 1
  fi
  rm -rf "$corpus"
  grep -E '^stat::' "$log" || true
  echo "$target: no crash, leak or slow input in $seconds s"
}
