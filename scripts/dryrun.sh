# Sourced by the scripts: run CMD… runs a command, or with QELUN_DRY_RUN=1
# prints it instead (as the shell would quote it).
run() {
  if [ -n "${QELUN_DRY_RUN:-}" ]; then
    local line
    printf -v line '%q ' "$@"
    echo "${line% }"
  else
    "$@"
  fi
}
