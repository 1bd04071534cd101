#!/usr/bin/env bash
# The main job on the bundled examples: builds the command line and converts
# every file under examples/ into build/demo/, printing the summary.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh linux >/dev/null
out=build/demo
rm -rf "$out"
mkdir -p "$out"
cp -r examples/. "$out/"
cd "$out"
if [[ -x ../linux/bin/tilewright ]]; then
  files=()
  while IFS= read -r -d '' f; do files+=("$f"); done < <(find . -maxdepth 1 -type f ! -name '*.ini' -print0 | sort -z)
  status=0
  ../linux/bin/tilewright --palette-fix yes "${files[@]}" || status=$?
  echo
  echo "outputs in $(pwd):"
  ls -1
  exit $status
else
  echo "built: build/linux (the converter front end is not there yet)"
fi
