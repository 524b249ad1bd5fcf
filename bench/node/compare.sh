#!/usr/bin/env bash
# lumo beside the npm package smpte-timecode: a million frame counts to 29.97 drop-frame labels,
# each tool a program that reads the counts from a file and writes the labels. Prints the lines
# per second of each (best of three runs), their ratio and the largest resident memory of
# each, and checks that both wrote the same labels. Needs node and npm; the package goes into
# a scratch folder, never into the tree. Not part of CI.
#
#   bench/node/compare.sh [LUMO]        (LUMO: build/native/cli/lumo)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
lumo=$(realpath "${1:-$here/../../build/native/cli/lumo}")
scratch=${LUMO_NODE_BENCH_DIR:-${TMPDIR:-/tmp}/lumo-node-bench}
readonly lines=1000000 day=2589408  # frames in a day of 29.97 drop-frame

if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  echo "compare.sh: node and npm are needed" >&2
  exit 2
fi
mkdir -p "$scratch"
if [ ! -d "$scratch/node_modules/smpte-timecode" ]; then
  npm install --silent --no-audit --no-fund --prefix "$scratch" smpte-timecode >/dev/null
fi
export NODE_PATH=$scratch/node_modules

# Counts spread over the whole day by a prime stride.
counts=$scratch/counts.txt
awk -v n=$lines -v day=$day 'BEGIN { for (i = 0; i < n; i++) print (i * 7919) % day }' >"$counts"

# best NAME COMMAND...: the shortest of three runs; sets seconds and kib (largest RSS).
best() {
  local name=$1 run s k
  shift
  seconds= kib=
  for run in 1 2 3; do
    /usr/bin/time -f "%e %M" -o "$scratch/$name.time" "$@" <"$counts" >"$scratch/$name.out"
    read -r s k <"$scratch/$name.time"
    if [ -z "$seconds" ] || awk -v a="$s" -v b="$seconds" 'BEGIN { exit !(a < b) }'; then seconds=$s; fi
    if [ -z "$kib" ] || [ "$k" -gt "$kib" ]; then kib=$k; fi
  done
}

best lumo "$lumo" convert --from Dec --to 29.97df
lumo_seconds=$seconds lumo_kib=$kib
best node node "$here/smpte_timecode_labels.js"
node_seconds=$seconds node_kib=$kib

if ! cmp -s "$scratch/lumo.out" "$scratch/node.out"; then
  echo "compare.sh: lumo and smpte-timecode wrote different labels:" >&2
  diff "$scratch/lumo.out" "$scratch/node.out" | head -5 >&2
  exit 1
fi
awk -v n=$lines -v ls="$lumo_seconds" -v lk="$lumo_kib" -v ns="$node_seconds" -v nk="$node_kib" 'BEGIN {
  printf "%d counts to 29.97 drop-frame labels, best of 3, the same labels from both:\n", n
  printf "  lumo            %6.2f s  %5.2f M lines/s  max RSS %7d KiB\n", ls, n / ls / 1e6, lk
  printf "  smpte-timecode  %6.2f s  %5.2f M lines/s  max RSS %7d KiB\n", ns, n / ns / 1e6, nk
  printf "  lumo is %.2f times as fast, in %.2f of the memory\n", ns / ls, lk / nk
}'
