# The installed package, tried as a user meets it: installed with apt, the program started from
# its desktop entry (offscreen) until it has drawn its first frame and then asked to stop, the
# package removed and purged; the shared recipes must be there unchanged after each step.
# shellcheck shell=bash

PACKAGE_ROOT=/opt/Retterum
PACKAGE_SHARED="$PACKAGE_ROOT/Brugere/Alle"

fail() {
  echo "FEJL: $*" >&2
  exit 1
}

# apt and the program talk on the way; their words are shown when something fails.
PACKAGE_LOG="$(mktemp)"
apt_quietly() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get "$@" -y -qq >>"$PACKAGE_LOG" 2>&1 \
    || { cat "$PACKAGE_LOG" >&2; fail "apt-get $1 slog fejl."; }
}

shared_recipes() {
  (cd "$PACKAGE_SHARED" && find . -type f -print0 | sort -z | xargs -0 md5sum)
}

# check_package <file.deb>
check_package() {
  local deb="$1"
  # Another installation in the same place would be replaced and then removed with the package.
  if [ -e "$PACKAGE_ROOT/Program/retterum" ] && ! dpkg-query -S "$PACKAGE_ROOT/Program/retterum" >/dev/null 2>&1; then
    [ "${CI:-}" = true ] && fail "$PACKAGE_ROOT/Program holder en installation, som ikke er pakkens."
    echo "Springer pakkeprøven over: $PACKAGE_ROOT/Program holder en installation, som ikke er pakkens."
    return 0
  fi
  if dpkg-query -W -f='${Status}' retterum 2>/dev/null | grep -q "install ok installed"; then
    [ "${CI:-}" = true ] || { echo "Springer pakkeprøven over: retterum er installeret her."; return 0; }
  fi

  # Root is warned against running lintian; the check itself is the same.
  lintian --fail-on error "$deb" 2> >(grep -v "running with root privileges" >&2) || fail "lintian fandt fejl i pakken."

  apt_quietly install "$(realpath "$deb")"
  [ "$(stat -c %a "$PACKAGE_ROOT/Brugere")" = 1777 ] || fail "Brugere har ikke tilstanden 1777."
  [ "$(stat -c %a "$PACKAGE_SHARED")" = 777 ] || fail "Alle har ikke tilstanden 0777."
  [ -f "$PACKAGE_SHARED/Hovedkategori.txt" ] || fail "Det fælles område har ingen hovedkategorier."
  appstreamcli validate --no-net /usr/share/metainfo/dk.retterum.Retterum.metainfo.xml >/dev/null \
    || fail "AppStream-filen er ikke gyldig."
  desktop-file-validate /usr/share/applications/retterum.desktop || fail "Desktop-filen er ikke gyldig."
  local before
  before="$(shared_recipes)"

  start_installed_program

  apt_quietly remove retterum
  [ ! -e "$PACKAGE_ROOT/Program/retterum" ] || fail "Programmet er der endnu efter fjernelsen."
  [ "$(shared_recipes)" = "$before" ] || fail "Opskrifterne ændrede sig, da pakken blev fjernet."
  # Once more, purged at once.
  apt_quietly install "$(realpath "$deb")"
  apt_quietly purge retterum
  [ "$(shared_recipes)" = "$before" ] || fail "Opskrifterne ændrede sig, da pakken blev renset ud."
  [ "$(stat -c %a "$PACKAGE_ROOT/Brugere")" = 1777 ] || fail "Brugere er ændret, da pakken blev renset ud."
  echo "Pakken blev installeret, startede, sluttede pænt og blev fjernet; opskrifterne er der endnu."
}

# Starts the program as its desktop entry does, waits for its first frame and stops it the way
# the system does at shutdown: it must end by itself with status 0.
start_installed_program() {
  local exec_line fifo pid status
  exec_line="$(sed -n 's/^Exec=//p' /usr/share/applications/retterum.desktop)"
  [ -x "$exec_line" ] || fail "Desktop-filens Exec ($exec_line) er ikke et program."
  fifo="$(mktemp -u)"
  mkfifo "$fifo"
  QT_QPA_PLATFORM=offscreen RETTERUM_FIRST_PAINT_FD=3 "$exec_line" 3>"$fifo" 2>>"$PACKAGE_LOG" &
  pid=$!
  # One byte arrives with the first frame; none (end of file) if the program ends before.
  if [ "$(timeout 60 head -c1 "$fifo" | od -An -tu1 | tr -d ' ')" != 1 ]; then
    kill "$pid" 2>/dev/null || true
    rm -f "$fifo"
    cat "$PACKAGE_LOG" >&2
    fail "Det installerede program viste ikke sit vindue."
  fi
  rm -f "$fifo"
  kill -TERM "$pid"
  status=0
  wait "$pid" || status=$?
  [ "$status" = 0 ] || { cat "$PACKAGE_LOG" >&2; fail "Det installerede program sluttede med status $status."; }
}
