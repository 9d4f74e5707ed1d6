# The check counter of the shell tests, sourced by each of them.
pass=0
fail=0
check() { # description, then a command that must succeed
  local what=$1; shift
  if "$@"; then pass=$((pass + 1)); else fail=$((fail + 1)); echo "FAILED: $what"; fi
}
finish() { # the totals; fails when any check failed, so it ends a script
  echo "$pass passed, $fail failed"
  test "$fail" -eq 0
}
