# shellcheck shell=bash
# Shared by scripts/demo and scripts/screenshots: building what they show, the
# simulated phone, the private adb server port and the isolation of the
# program. Sourced after setup.sh, not run.
#
# The program ends the first running process named adb at start-up. Where the
# system allows it, it runs in a PID namespace of its own, where it sees no
# other adb and whatever it leaves behind ends with the namespace.

# The phone the demo shows: see tests/README.md.
QUODDLE_DEMO_PROFILE=$QUODDLE_ROOT/tests/fakephone/profiles/demo.json
# Later steps change folders.
QUODDLE_BUILD=$(realpath -m "$QUODDLE_BUILD")

# Builds the program and fakephone only: the tests are not needed to show it.
quoddle_demo_build() {
    cmake -S "$QUODDLE_ROOT" -B "$QUODDLE_BUILD" -G Ninja >/dev/null
    local cache=$QUODDLE_BUILD/CMakeCache.txt
    if grep -q '^QUODDLE_CORE_ONLY:BOOL=ON' "$cache"; then
        echo "$QUODDLE_BUILD is configured with QUODDLE_CORE_ONLY: the windows are not built, nothing to open."
        return 1
    fi
    if grep -q '^QUODDLE_BUILD_TESTS:BOOL=OFF' "$cache"; then
        echo "$QUODDLE_BUILD is configured with QUODDLE_BUILD_TESTS off: fakephone is not built, no phone to show."
        return 1
    fi
    cmake --build "$QUODDLE_BUILD" -j "$(nproc)" --target quoddle fakephone
}

quoddle_listening() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

# A free port for the program's own adb server, so a server already running
# here is never used.
quoddle_free_server_port() {
    local port=$((20000 + RANDOM % 20000))
    while quoddle_listening "$port"; do port=$((20000 + RANDOM % 20000)); done
    echo "$port"
}

# Starts fakephone with the demo profile, answering on 127.0.0.1:5555, where an
# adb server started afterwards finds it by itself as emulator-5554.
# $1: a folder for its port and journal. Sets quoddle_phone_pid.
quoddle_phone_pid=
quoddle_start_demo_phone() {
    if quoddle_listening 5555; then
        echo "127.0.0.1:5555 is taken: the simulated phone cannot answer as emulator-5554."
        return 1
    fi
    # Lifetime 0: it lives until it is stopped, or until the script that started it ends.
    "$QUODDLE_BUILD/bin/fakephone" --emulator --lifetime 0 --config "$QUODDLE_DEMO_PROFILE" \
        --journal "$1/journal" >"$1/port" &
    quoddle_phone_pid=$!
    local _
    for _ in $(seq 100); do [ -s "$1/port" ] && return 0; sleep 0.05; done
    echo "The simulated phone did not start."
    return 1
}

quoddle_stop_demo_phone() {
    if [ -n "$quoddle_phone_pid" ]; then
        kill "$quoddle_phone_pid" 2>/dev/null || true
        wait "$quoddle_phone_pid" 2>/dev/null || true
        quoddle_phone_pid=
    fi
}

# Package files the phone accepts (their first line names the package), for
# the install panel's open dialog. $1: the folder to make them in.
quoddle_make_demo_apks() {
    mkdir -p "$1"
    printf 'package=fr.exemple.boussole\n' >"$1/Boussole.apk"
    printf 'package=fr.exemple.lampe\n' >"$1/Lampe-torche.apk"
    printf 'package=org.exemple.horaires\n' >"$1/Horaires-bus.apk"
}

# The command prefix that gives the program a PID namespace of its own, in the
# array quoddle_isolate; empty where the system refuses it.
quoddle_isolate=()
quoddle_find_isolation() {
    local candidate
    for candidate in "unshare --pid --fork --mount-proc --kill-child" \
                     "unshare --map-root-user --pid --fork --mount-proc --kill-child"; do
        if $candidate true 2>/dev/null; then
            read -r -a quoddle_isolate <<<"$candidate"
            return 0
        fi
    done
    return 1
}

# The command that runs its arguments in the namespace when there is one, in
# the array quoddle_command. The namespace's first process drops signals it
# does not handle: a shell takes that place, so Ctrl+C reaches the program;
# when it ends, so does everything left in there. Ending unshare ends them too.
quoddle_command=()
quoddle_isolated_command() {
    if [ ${#quoddle_isolate[@]} -gt 0 ]; then
        quoddle_command=("${quoddle_isolate[@]}" /bin/sh -c '"$@"; exit $?' sh "$@")
    else
        quoddle_command=("$@")
    fi
}
