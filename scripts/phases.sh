# Times the phases of a long script, sourced by it. At the end, and also when a phase fails, it
# prints one line per phase with the seconds it took, and the total, so that anyone can see
# where the time goes.
#   phase NAME COMMAND...         runs a phase, its output shown as it comes
#   phase_begin NAME COMMAND...   starts a phase beside the next ones, its output kept apart
#   phase_end NAME                waits for it, then shows its output in one piece
# A phase that fails ends the script with its status. A phase's command is a program, not a
# shell function: a function run as a condition would carry on past its own failures.

phases_start=$SECONDS
phases_lines=()
declare -A phases_pid=() phases_begun=()

phases_record() { # NAME SECONDS STATUS|stopped
    local mark=""
    case "$3" in
    0) ;;
    stopped) mark="  stopped" ;;
    *) mark="  FAILED" ;;
    esac
    phases_lines+=("$(printf '%6d s  %s%s' "$2" "$1" "$mark")")
}

phases_report() {
    local status=$?
    local name
    # A phase still running beside a failed one is stopped with everything it started.
    for name in "${!phases_pid[@]}"; do
        kill -- "-${phases_pid[$name]}" 2>/dev/null || true
        phases_record "$name" $((SECONDS - ${phases_begun[$name]})) stopped
    done
    echo
    echo "Time per phase:"
    printf '%s\n' "${phases_lines[@]}"
    printf '%6d s  total\n' $((SECONDS - phases_start))
    return "$status"
}
trap phases_report EXIT

phase() {
    local name=$1
    shift
    local start=$SECONDS status=0
    echo "== $name"
    "$@" || status=$?
    phases_record "$name" $((SECONDS - start)) "$status"
    return "$status"
}

phases_log_dir="${TMPDIR:-/tmp}/ondulix-phases.$$"

phase_begin() {
    local name=$1
    shift
    mkdir -p "$phases_log_dir"
    echo "== $name: started beside the next phases"
    # A session of its own, so that the whole phase can be stopped at once; setsid runs the
    # command in this very process, which is no group leader, so $! is the session.
    setsid "$@" >"$phases_log_dir/${name//\//_}.log" 2>&1 </dev/null &
    phases_pid[$name]=$!
    phases_begun[$name]=$SECONDS
}

phase_end() {
    local name=$1 status=0
    local log="$phases_log_dir/${name//\//_}.log"
    wait "${phases_pid[$name]}" || status=$?
    unset "phases_pid[$name]"
    echo "== $name (ran beside the phases above)"
    cat "$log"
    rm -f "$log"
    rmdir "$phases_log_dir" 2>/dev/null || true
    phases_record "$name" $((SECONDS - ${phases_begun[$name]})) "$status"
    return "$status"
}
