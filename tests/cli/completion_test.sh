#!/usr/bin/env bash
# bash completion for lumo, driven as bash drives it: the words typed so far in COMP_WORDS,
# the one being completed last, the answer in COMPREPLY. Each row: the answer wanted, then
# the words after "lumo".
#   completion_test.sh cli/lumo-completion.bash build/native/cli/lumo
set -u
completion=$1
lumo=$2
# shellcheck source=/dev/null
source "$completion"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
settings=$scratch/VEXO.INI
printf '[Vexo Special]\nszCfr1=23.98,2398, 23.98,23.976,1,HMSF,0\n' >"$settings"

failures=0
expect() {
    local wanted=$1
    shift
    COMP_WORDS=("$lumo" "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _lumo
    if [[ "${COMPREPLY[*]}" != "$wanted" ]]; then
        echo "lumo $*<TAB>: got '${COMPREPLY[*]}', wanted '$wanted'"
        failures=$((failures + 1))
    fi
}

expect "convert" co
expect "convert modes" ""
expect "--tape" --t
expect "--to" convert --from NDF --t
expect "--from --format" convert --f
expect "--settings" modes --s
expect "" 1+2 co
expect "DF Dec" convert --from D
expect "29.97 29.97df" convert --from NDF --to 29
expect "2398 23.976" --settings "$settings" convert --from 23
expect "2398 23.976 24 25 29.97 29.97df" convert --settings="$settings" --to 2
expect "23.976" convert --to 23
expect "plain" convert --format p
expect "minus" --auto-df m
expect "$settings" modes --settings "$scratch/V"

if ((failures > 0)); then
    echo "$failures completion rows failed"
    exit 1
fi
echo "every completion row passed"
