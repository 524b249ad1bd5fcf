# bash completion for lumo, the Lumo II timecode calculator: commands, options, their
# choices, and mode names (those lumo lists, with the user modes of its settings file, and
# the common rates).

_lumo_modes() {
    local lumo=$1 settings=$2 line
    local -a args=(modes)
    [[ -n $settings ]] && args+=(--settings "$settings")
    # The first column of the listing, up to the blank line before the note on rates.
    "$lumo" "${args[@]}" 2>/dev/null | {
        read -r line  # the heading
        while IFS= read -r line && [[ -n $line ]]; do
            line=${line:0:10}
            printf '%s\n' "${line%"${line##*[! ]}"}"
        done
    }
    printf '%s\n' 23.976 24 25 29.97 29.97df 30 47.952 48 50 59.94 59.94df 60
}

_lumo() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    # The command is the first word that is neither an option nor an option's value.
    local command= settings= i word
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        case $word in
            --settings) settings=${COMP_WORDS[i + 1]}; ((i++)) ;;
            --settings=*) settings=${word#--settings=} ;;
            --mode | --from | --to | --format | --auto-df) ((i++)) ;;
            -*) ;;
            *) [[ -z $command ]] && command=$word ;;
        esac
    done

    local IFS=$'\n'
    case $prev in
        --mode | --from | --to)
            COMPREPLY=($(compgen -W "$(_lumo_modes "${COMP_WORDS[0]}" "$settings")" -- "$cur"))
            return ;;
        --format)
            COMPREPLY=($(compgen -W $'plain\ndisplay\nclipboard\ndigits' -- "$cur"))
            return ;;
        --auto-df)
            COMPREPLY=($(compgen -W $'off\nminus\nplus' -- "$cur"))
            return ;;
        --settings)
            COMPREPLY=($(compgen -f -- "$cur"))
            return ;;
    esac

    local options
    case $command in
        convert) options=$'--from\n--to\n--format\n--lenient\n--strict\n--auto-df\n--as-frames\n--settings' ;;
        modes) options=$'--settings' ;;
        *) options=$'--mode\n--tape\n--strict\n--auto-df\n--as-frames\n--settings' ;;
    esac
    options+=$'\n--help\n--version'
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif [[ -z $command ]]; then
        COMPREPLY=($(compgen -W $'convert\nmodes' -- "$cur"))
    fi
}

complete -F _lumo lumo
