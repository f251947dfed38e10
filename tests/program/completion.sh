#!/usr/bin/env bash
# The bash completion of lorvanel-cli: commands, each command's options, option values, files.
#   completion.sh COMPLETION_FILE SAMPLE_DIR   (exit 77, a skip, without bash-completion)
completion=$1
samples=$2
[ -r /usr/share/bash-completion/bash_completion ] || exit 77
source /usr/share/bash-completion/bash_completion
source "$completion"
failures=0
check() { # expected, then the words typed
    local expected=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _lorvanel_cli
    if [ "${COMPREPLY[*]}" != "$expected" ]; then
        echo "FAIL: [$*] gave '${COMPREPLY[*]}', not '$expected'"
        failures=$((failures + 1))
    fi
}
check "report" lorvanel-cli rep
check "check-filter" lorvanel-cli ch
check "--kind" lorvanel-cli graph --ki
check "0 1 2 3 4" lorvanel-cli graph --kind ""
check "--no-thread-ranking --no-month-thread-ranking --now" lorvanel-cli report --n
check "--expand" lorvanel-cli tree --exp
check "all" lorvanel-cli tree --expand ""
check "" lorvanel-cli dump --sj
check "$samples/demo-jane.txt" lorvanel-cli dump "$samples/demo-j"
exit "$((failures > 0))"
