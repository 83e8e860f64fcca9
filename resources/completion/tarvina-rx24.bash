# Bash completion of lnsdb and rx24cfg, the terminal tools of the tarvina
# RX24 plug-in. Installed once under each program's name; bash-completion
# loads it on the first Tab after either.
#
# Object names come from "lnsdb names", read from the database that the
# command line names (--db, --server), else from the plug-in's. They are
# offered with "/" between the levels: "\" would have to be typed twice.

# The word as the program will see it: quotes and backslashes removed.
_rx24_dequote()
{
    local in=$1 out='' quote='' c
    local -i i
    for ((i = 0; i < ${#in}; i++)); do
        c=${in:i:1}
        if [[ $quote == "'" ]]; then
            if [[ $c == "'" ]]; then quote=''; else out+=$c; fi
        elif [[ $c == '\' ]] && ((i + 1 < ${#in})); then
            # Within double quotes a backslash quotes only these.
            if [[ -n $quote && ${in:i+1:1} != [\$\`\"\\] ]]; then
                out+=$c
            else
                out+=${in:i+1:1}
                i+=1
            fi
        elif [[ $c == '"' ]]; then
            if [[ -n $quote ]]; then quote=''; else quote='"'; fi
        elif [[ $c == "'" && -z $quote ]]; then
            quote="'"
        else
            out+=$c
        fi
    done
    printf '%s' "$out"
}

# A database named on the command line, as lnsdb is to get it.
_rx24_location()
{
    local location
    location=$(_rx24_dequote "$1")
    [[ $location == '~/'* ]] && location=$HOME/${location#'~/'}
    printf '%s' "$location"
}

# The names that begin with the word being completed. The rest of the
# arguments select the database, as lnsdb takes them.
_rx24_object_names()
{
    local word
    word=$(_rx24_dequote "$cur")
    # A level already typed whole is no step further.
    mapfile -t COMPREPLY < <(lnsdb "$@" names "$word" 2>/dev/null | grep -vxF -- "$word")
    _rx24_quoted
}

# Readline is to quote the blanks in the names; a network or subsystem ends
# in "/", and the next Tab goes on into it.
_rx24_quoted()
{
    compopt -o filenames 2>/dev/null
    if ((${#COMPREPLY[@]} == 1)) && [[ ${COMPREPLY[0]} == */ ]]; then
        compopt -o nospace 2>/dev/null
    fi
}

_rx24_network_names()
{
    local word name
    word=$(_rx24_dequote "$cur")
    COMPREPLY=()
    while IFS= read -r name; do
        [[ $name == "$word"* ]] && COMPREPLY+=("$name")
    done < <(lnsdb "$@" list-networks 2>/dev/null)
    compopt -o filenames 2>/dev/null
}

_rx24_files()
{
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$(_rx24_dequote "$cur")")
}

# cur, prev, words and cword as bash-completion gives them, with "=" and ":"
# kept inside a word (server URIs hold ":"); plain bash splits there.
_rx24_words()
{
    if declare -F _init_completion >/dev/null; then
        _init_completion -n =: || return 1
    else
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD - 1]}
    fi
}

_lnsdb()
{
    local cur prev words cword
    _rx24_words || return
    local -a db=()
    local command='' word
    local -i i argument=0
    for ((i = 1; i < cword; i++)); do
        word=${words[i]}
        if [[ -z $command ]]; then
            case $word in
            --db | --server)
                db+=("$word" "$(_rx24_location "${words[i + 1]}")")
                i+=1
                ;;
            --db=* | --server=*) db+=("${word%%=*}" "$(_rx24_location "${word#*=}")") ;;
            -*) ;;
            *) command=$word ;;
            esac
        else
            case $word in
            --ni | --object | --network | --devices | --subsystems | --interface | --from | --to | --as) i+=1 ;;
            -*) ;;
            *) argument+=1 ;;
            esac
        fi
    done

    case $prev in
    --db | --interface | --from | --to)
        _rx24_files
        return
        ;;
    --server | --ni | --object | --network | --devices | --subsystems | --as) return ;;
    esac
    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W '--db --server --help' -- "$cur"))
        else
            COMPREPLY=($(compgen -W 'create create-network create-subsystem add-device remove-device
                list-networks list-subsystems list-devices list-objects get-cp set-cp get-nv
                set-nv-value set-nv-type set-reachable list-plugins start-plugin register-plugin
                generate remove-network copy-network demo names help' -- "$cur"))
        fi
        return
    fi
    case $command in
    start-plugin)
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W '--remote --ni --object' -- "$cur"))
        elif ((argument == 0)); then
            _rx24_object_names "${db[@]}"
        fi
        ;;
    generate)
        COMPREPLY=($(compgen -W '--network --devices --subsystems --interface' -- "$cur"))
        ;;
    copy-network)
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W '--from --to --as' -- "$cur"))
        elif ((argument == 0)); then
            _rx24_network_names "${db[@]}"
        fi
        ;;
    list-subsystems | list-devices | list-plugins | remove-network | register-plugin | create-subsystem)
        ((argument == 0)) && _rx24_network_names "${db[@]}"
        ;;
    add-device)
        if ((argument == 0)); then _rx24_object_names "${db[@]}"; else _rx24_files; fi
        ;;
    set-reachable)
        if ((argument == 0)); then
            _rx24_object_names "${db[@]}"
        else
            COMPREPLY=($(compgen -W 'yes no' -- "$cur"))
        fi
        ;;
    remove-device | list-objects | get-cp | set-cp | get-nv | set-nv-value | set-nv-type | names)
        ((argument == 0)) && _rx24_object_names "${db[@]}"
        ;;
    esac
}

_rx24cfg()
{
    local cur prev words cword
    _rx24_words || return
    local -a db=()
    local command='' word
    local -i i argument=0
    # Options may stand anywhere; those with a value are skipped with it.
    for ((i = 1; i < cword; i++)); do
        word=${words[i]}
        case $word in
        --db)
            db=(--db "$(_rx24_location "${words[i + 1]}")")
            i+=1
            ;;
        --lang | --reference | --to) i+=1 ;;
        -*) ;;
        *) if [[ -z $command ]]; then command=$word; else argument+=1; fi ;;
        esac
    done

    case $prev in
    --db | --reference)
        _rx24_files
        return
        ;;
    --lang)
        COMPREPLY=($(compgen -W 'en de' -- "$cur"))
        return
        ;;
    --to) return ;;
    esac
    if [[ $cur == -* ]]; then
        local options='--db --lang --json --help'
        case $command in
        apply) options+=' --dry-run' ;;
        diff) options+=' --names' ;;
        conformance) options+=' --reference --fix' ;;
        restore) options+=' --to --dry-run' ;;
        esac
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case $command in
    '') COMPREPLY=($(compgen -W 'export apply diff conformance history restore' -- "$cur")) ;;
    export)
        if ((argument == 0)); then _rx24_object_names "${db[@]}"; else _rx24_files; fi
        ;;
    apply)
        if ((argument == 0)); then _rx24_files; else _rx24_object_names "${db[@]}"; fi
        ;;
    diff)
        # Either side is a device or a parameter file.
        _rx24_object_names "${db[@]}"
        local -a names=("${COMPREPLY[@]}")
        _rx24_files
        COMPREPLY+=("${names[@]}")
        compopt +o nospace 2>/dev/null
        _rx24_quoted
        ;;
    conformance) _rx24_object_names "${db[@]}" ;;
    history | restore) ((argument == 0)) && _rx24_object_names "${db[@]}" ;;
    esac
}

complete -F _lnsdb lnsdb
complete -F _rx24cfg rx24cfg
