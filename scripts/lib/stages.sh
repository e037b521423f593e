# One line per stage of a run with its wall time, printed when the run ends (also when a stage
# fails), so that every run shows where its time goes.
# shellcheck shell=bash

STAGE_NAMES=()
STAGE_SECONDS=()
STAGE_CURRENT=""
STAGE_STARTED=0
STAGES_STARTED="$(date +%s)"

# stage <name>: ends the stage that runs and begins the next.
stage() {
  stage_end
  STAGE_CURRENT="$1"
  STAGE_STARTED="$(date +%s)"
  echo "== $1"
}

stage_end() {
  [ -n "$STAGE_CURRENT" ] || return 0
  STAGE_NAMES+=("$STAGE_CURRENT${1:-}")
  STAGE_SECONDS+=("$(($(date +%s) - STAGE_STARTED))")
  STAGE_CURRENT=""
}

print_stages() {
  local status=$? i
  if [ "$status" -ne 0 ]; then stage_end " (fejlede)"; else stage_end; fi
  echo "== Tid pr. trin"
  for i in "${!STAGE_NAMES[@]}"; do
    printf '%-72s %3d:%02d\n' "${STAGE_NAMES[$i]}" $((STAGE_SECONDS[i] / 60)) $((STAGE_SECONDS[i] % 60))
  done
  i=$(($(date +%s) - STAGES_STARTED))
  printf '%-72s %3d:%02d\n' "I alt" $((i / 60)) $((i % 60))
  return "$status"
}
trap print_stages EXIT
