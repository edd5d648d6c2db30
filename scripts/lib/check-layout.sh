#!/usr/bin/env bash
# Checks that includes between the top-level folders of src/ point only the
# allowed way (docs/architecture.md, "Layers"):
#   1. nothing outside src/app includes the launcher's own headers (app/...);
#   2. a file in src/<from>/ includes src/<to>/... only when the table below
#      allows <from> -> <to>.
# Exits non-zero and names each offending include (file:line: include).
#
#   scripts/lib/check-layout.sh [repository root]
set -uo pipefail

root="${1:-$(cd "$(dirname "$0")/../.." && pwd)}"
cd "$root" || exit 2

# Which top-level folders a folder of src/ may include, besides itself.
# A folder not in the table may include nothing but itself.
declare -A allowed=(
  [app]="check steps components assoc pkg_reg step_context platform"
  [check]="steps components assoc pkg_reg step_context platform"
  [steps]="components assoc pkg_reg step_context platform"
  [components]="step_context platform"
  [assoc]="pkg_reg step_context platform"
  [pkg_reg]="platform"
  [step_context]="platform"
  [zr_log]="platform"
  [platform]=""
)

failed=0

# 1. The launcher's headers stay in the launcher.
upward="$(grep -rn --include='*.h' --include='*.cpp' '#include "app/' src | grep -v '^src/app/' || true)"
if [ -n "$upward" ]; then
  echo "check-layout: these files outside src/app include the launcher (src/app):" >&2
  echo "$upward" >&2
  failed=1
fi

# 2. Includes between top-level folders follow the table.
wrong=""
while IFS= read -r hit; do
  [ -n "$hit" ] || continue
  file="${hit%%:*}"
  rest="${hit#*:}"
  text="${rest#*:}"
  from="${file#src/}"
  from="${from%%/*}"
  to="$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"/]+)\/.*/\1/' <<<"$text")"
  [ "$to" != "$from" ] || continue
  # Only the folders of src/ count (not "vtest/...", "gtest/...", "json/...").
  [ -d "src/$to" ] || continue
  if [ -z "${allowed[$from]+set}" ]; then
    wrong+="$hit (src/$from is not in the table)"$'\n'
    continue
  fi
  case " ${allowed[$from]} " in
    *" $to "*) ;;
    *) wrong+="$hit ($from may not include $to)"$'\n' ;;
  esac
done < <(grep -rnE --include='*.h' --include='*.cpp' --include='*.rc' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"/]+/' src || true)

if [ -n "$wrong" ]; then
  echo "check-layout: these includes point against the allowed order (scripts/lib/check-layout.sh, docs/architecture.md):" >&2
  printf '%s' "$wrong" >&2
  failed=1
fi

exit $failed
