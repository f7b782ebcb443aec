# Sourced by the scripts that drive the program on an X server.

# Polls `what` every 50 ms for up to `seconds`; true once it succeeds.
within() {
  local seconds="$1"; shift
  local tries=$(( seconds * 20 ))
  for _ in $(seq 1 "$tries"); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}
