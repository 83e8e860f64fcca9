#!/usr/bin/env bash
# The bash completion of lnsdb and rx24cfg on real databases: a device name
# with blanks, typed in part, completes to the whole name, read from the
# database that --db names, else from the plug-in's.
#   completion.sh COMPLETION_SCRIPT PROGRAM_FOLDER
set -uo pipefail
SCRIPT=$1
BIN=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export PATH="$BIN:$PATH" QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data"

lnsdb demo >/dev/null || { echo "FAIL: lnsdb demo"; exit 1; }
lnsdb copy-network Demo --to "$WORK/site b.lnsdb" --as 'Site B' >/dev/null || { echo "FAIL: lnsdb copy-network"; exit 1; }

# What the completion offers for the last word, as bash hands the words to
# it, one name a line; bash-completion's helpers are used where installed.
offers() {
    bash --norc --noprofile -c '
        [ -f /usr/share/bash-completion/bash_completion ] && . /usr/share/bash-completion/bash_completion
        . "$1"
        shift
        COMP_WORDS=("$@")
        COMP_CWORD=$(($# - 1))
        COMP_LINE="$*"
        COMP_POINT=${#COMP_LINE}
        "_$1" "$1" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}"' completion "$SCRIPT" "$@"
}

failures=0
expect() {
    local wanted=$1
    shift
    local got
    got=$(offers "$@")
    if [ "$got" = "$wanted" ]; then
        echo "ok: $* -> $wanted"
    else
        echo "FAIL: $* offered [$got], not [$wanted]"
        failures=$((failures + 1))
    fi
}

expect 'Demo/LNS System.Floor 1/RX24 Full' lnsdb list-objects 'Demo/LNS\ System.Floor\ 1/RX24\ F'
expect 'Site B/LNS System.Floor 1/RX24 Partial' \
    rx24cfg history --db "'$WORK/site b.lnsdb'" '"Site B\LNS System.Floor 1\RX24 P'
if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
