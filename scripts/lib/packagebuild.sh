# The optimised build the Debian package is made from, shared by scripts/package (programs only)
# and scripts/test (which builds and runs the tests in the same tree and packs it afterwards, so
# that the sources are compiled once for both).
# shellcheck shell=bash

# configure_package_build <folder> [more cmake options]
configure_package_build() {
  local build="$1"
  shift
  # Debian's hardening: stack protector, fortified functions, read-only relocations bound at
  # once; -O2 as Debian builds. Without debugging information, which the package strips anyway.
  local cxxflags
  cxxflags="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CPPFLAGS) \
$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS | sed -e 's/^-g //' -e 's/ -g / /')"
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DRETTERUM_DATA_ROOT=/opt/Retterum \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_CXX_FLAGS_RELEASE="-DNDEBUG" \
    -DCMAKE_EXE_LINKER_FLAGS="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get LDFLAGS)" \
    "$@" >/dev/null
}

# pack_package <folder> <output folder>: makes the package from a configured build and prints
# the path of the .deb (the build's own words go to standard error).
pack_package() {
  local build="$1" out
  out="$(realpath -m "$2")"
  cmake --build "$build" -j"$(jobs)" --target deb >&2
  mkdir -p "$out"
  local deb
  deb="$(ls -t "$build"/retterum_*_amd64.deb | head -1)"
  cp -f "$deb" "$out/"
  echo "$out/$(basename "$deb")"
}
