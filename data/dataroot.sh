# Makes the users root (every user may add a folder, none may remove another's) and the shared
# area (writable by every user), and gives an empty shared area the example book. Shared by the
# package's maintainer script and the plain installation; runs as root with $root and $book set.
# The users root is open to every user, so nothing found below it is trusted: a link or a folder
# someone else made first is left alone, and no mode is set through a path others can change.

users="$root/Brugere"
shared="$users/Alle"

usable_folder() {
  [ -d "$1" ] && [ ! -L "$1" ] && [ "$(stat -c %u "$1")" = "$(id -u)" ]
}

is_empty() {
  [ -z "$(find "$1" -mindepth 1 -maxdepth 1 -print -quit)" ]
}

add_example_book() {
  # Closed while the book goes in, so nobody can put a link where a folder of it will be.
  chmod 0755 "$shared"
  if is_empty "$shared"; then
    # Shared entries must stay changeable by every user of the machine: 0777 and 0666.
    (umask 0000 && cp -R --no-preserve=mode "$book/." "$shared/")
  fi
}

make_data_root() {
  if [ -e "$users" ] || [ -L "$users" ]; then
    usable_folder "$users" || { echo "Retterum: $users er ikke en mappe, som tilhører $(id -un); den røres ikke." >&2; return 0; }
  else
    mkdir -p "$users"
  fi
  chmod 1777 "$users"
  # Someone may make it first; it is then theirs and checked below.
  [ -e "$shared" ] || [ -L "$shared" ] || mkdir "$shared" 2>/dev/null || true
  if usable_folder "$shared"; then
    if is_empty "$shared"; then
      add_example_book
    fi
    chmod 0777 "$shared"
  else
    echo "Retterum: $shared er ikke en mappe, som tilhører $(id -un); den røres ikke." >&2
  fi
}
