# Shared by the scripts: the Debian packages the project needs, installed when missing.
# shellcheck shell=bash

RETTERUM_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libhunspell-dev hunspell-da libfontconfig-dev libgumbo-dev libarchive-dev
  clang libclang-rt-14-dev lld libbenchmark-dev
  xvfb xauth x11-utils xdotool imagemagick openbox
  poppler-utils cups printer-driver-cups-pdf libcups2-dev
  fonts-dejavu-core fonts-liberation
  fonts-liberation2 fonts-crosextra-carlito fonts-crosextra-caladea fonts-comic-neue fonts-open-sans
  fonts-urw-base35 qt6-translations-l10n
  desktop-file-utils
  dpkg-dev file lintian appstream
  libreoffice-writer-nogui
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
  local missing=()
  local p
  for p in "${RETTERUM_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installerer manglende pakker: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq || true
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

jobs() {
  nproc 2>/dev/null || echo 2
}

# start_virtual_screen <display> <width>x<height>: Xvfb with the openbox window manager, as a
# user's desktop has one (focus, activation and frames differ without). Sets DISPLAY and the
# variables XVFB_PID and WM_PID.
start_virtual_screen() {
  Xvfb "$1" -screen 0 "$2x24" -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY="$1"
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  openbox >/dev/null 2>&1 &
  WM_PID=$!
  for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
}
