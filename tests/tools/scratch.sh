# The start of every tool test, sourced after it has read its arguments: a scratch folder
# ($work) removed at exit, a per-user folder of its own inside it ($APPDATA), the check counter.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export APPDATA=$work/appdata
mkdir -p "$APPDATA"
source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
