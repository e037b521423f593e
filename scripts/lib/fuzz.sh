# Builds the libFuzzer targets with clang in build-fuzz and runs one. Exits non-zero on a crash,
# a leak, undefined behaviour or an input slower than 10 s.
# shellcheck shell=bash

fuzz_root() {
  cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd
}

# configure_fuzz_build: the clang build folder of the fuzzers, build-fuzz.
configure_fuzz_build() {
  local build generator=()
  build="$(fuzz_root)/build-fuzz"
  if command -v ninja > /dev/null; then
    generator=(-G Ninja)
  fi
  mkdir -p "$build"
  CC=clang CXX=clang++ cmake -S "$(fuzz_root)" -B "$build" "${generator[@]}" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRETTERUM_FUZZ=ON -DRETTERUM_TESTS=OFF > "$build/configure.log" \
      || { cat "$build/configure.log"; return 1; }
}

# build_fuzzers: every fuzzer at once, so their shared objects are compiled in parallel.
build_fuzzers() {
  configure_fuzz_build
  cmake --build "$(fuzz_root)/build-fuzz" --target retterum_fuzzers -j"$(jobs)"
}

# run_fuzzer <target> <seconds> <seed folder> [more libFuzzer options]
run_fuzzer() {
  local target="$1" seconds="$2" seeds="$3"
  shift 3
  local build
  build="$(fuzz_root)/build-fuzz"
  configure_fuzz_build
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
