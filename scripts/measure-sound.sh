#!/usr/bin/env bash
# Measures the saver's sound as a user hears it: the real program under Xvfb at 1024 x 768
# plays into a PulseAudio null sink whose monitor is recorded, first SECONDS (default 60) of
# demonstration, then SECONDS of a race in which the sheet is eased out and hauled in (Home,
# a forced winch rattle) every three seconds, bearing away while the sail flaps. The recording is compared sample by sample with
# the wave files and set against the program's trace of its plays. Reports the start latency
# (median, 95th percentile), plays swallowed, how late ends are reported, the longest silence,
# clicks, the loudness of each sound and the CPU share of the process in the demonstration.
#   scripts/measure-sound.sh [SECONDS [BUILD_DIR]]
# With SOUND_SERVER=pipewire it runs under PipeWire's pulse server instead of PulseAudio. With
# LOAD=N, N busy loops keep the processors busy throughout, as a build or a backup would.
# DRAVELIN_SOUND_BUFFER_MS sets the sound stream's buffer (milliseconds) for the comparison.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=$(realpath -m "${2:-$root/build}")
PROGRAM="$build/bin/dravelin-didazi"
DATA="$build/data"
record="$build/tests/record_sound"
[[ -x "$PROGRAM" && -x "$record" ]] || "$root/scripts/build.sh" "$build" >/dev/null
source "$root/tests/desktop/common.sh"
export HOME="$work"
unset PULSE_SERVER

rate=$(soxi -r "$DATA/ratel.wav")
if [[ "${SOUND_SERVER:-pulseaudio}" == pipewire ]]; then
    # PipeWire with its pulse server, as Debian's desktops run it (packages pipewire,
    # pipewire-pulse and wireplumber, which setup.sh leaves out: on a desktop they would take
    # over from PulseAudio). The graph runs at the files' rate, so nothing is resampled.
    dbus-daemon --session --address="unix:path=$XDG_RUNTIME_DIR/bus" --nofork >/dev/null 2>&1 &
    servers+=($!)
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
    for server in pipewire wireplumber pipewire-pulse; do
        "$server" >"$work/$server.log" 2>&1 &
        servers+=($!)
        sleep 1
    done
    pactl load-module module-null-sink sink_name=nullsink rate="$rate" channels=1 \
        format=s16le >/dev/null
    pw-metadata -n settings 0 clock.force-rate "$rate" >/dev/null
    # PipeWire runs its graph in cycles of the shortest latency any stream asks for: the
    # recorder must not make them shorter than the program does.
    fragment=40
    sleep 1
else
    # Without shared memory: PulseAudio 16 now and then aborts passing a memfd block on.
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --disable-shm \
        --load="module-null-sink sink_name=nullsink rate=$rate channels=1 format=s16le norewinds=1" \
        --load="module-native-protocol-unix" >"$work/pulse.log" 2>&1 &
    servers+=($!)
fi
for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
pactl info >/dev/null || fail "no sound server starts: $(cat "$work"/*.log)"
echo "sound server: $(pactl info | sed -n 's/^Server Name: //p')"
for _ in $(seq "${LOAD:-0}"); do
    nice -n 0 sh -c 'while :; do :; done' &
    servers+=($!)
done
start_x 1024 768
settings "Sound=1
"
export DRAVELIN_SOUND_TRACE="$work/trace"

# record NAME SECONDS: records the sink in the background into NAME.wav.
record() {
    "$record" record nullsink.monitor "$work/$1.wav" "$2" "$rate" 1 "${fragment:-10}" \
        >"$work/$1.reads" &
    recorder=$!
    servers+=("$recorder")
    for _ in $(seq 100); do
        grep -qs recording "$work/$1.reads" && return 0
        sleep 0.05
    done
    fail "the recorder does not start"
}
# found NAME: what record_sound finds in NAME.wav, given the trace.
found() {
    wait "$recorder"
    "$record" find "$work/$1.wav" "$DATA" "$work/$1.reads" \
        "$work/trace" >"$work/$1.found"
}
hold() {
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

echo "demonstration, $seconds s"
record demo $((seconds + 1))
start_saver /s
wait_window "Dravelin Didazi Screen Saver"
wait_focus "Dravelin Didazi Screen Saver"
ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$saver_pid/stat"; }
before=$(cpu)
sleep "$seconds"
after=$(cpu)
share=$(awk -v c=$((after - before)) -v t="$ticks" -v s="$seconds" \
    'BEGIN { printf "%.2f", 100 * c / t / s }')
found demo

echo "race, $seconds s: Page Up then Home every 3 s"
: >"$work/trace"
record race "$seconds"
xdotool key g
end=$((SECONDS + seconds - 2))
flaps=0
while ((SECONDS < end)); do
    # A race ends after three times its target time, and any key but G ends the demonstration
    # that follows; G is ignored during a race and starts the next one after it.
    xdotool key g
    # Head to wind the flapping sail would cut every rattle: bear away while it flaps.
    now=$(grep -c ' play 0$' "$work/trace" || true)
    ((now > flaps)) && hold Right 0.4
    flaps=$now
    hold Prior 0.25
    sleep 1.3
    hold Home 0.15
    sleep 1.3
done
found race
expect_running
kill "$saver_pid"
wait "$saver_pid" 2>/dev/null || true
saver_pid=""

for phase in demo race; do
    echo "$phase: $(grep '^summary' "$work/$phase.found" | sed 's/^summary //')"
    grep -E '^(unknown|sound .* cut$|play .* swallowed$)' "$work/$phase.found" | sed 's/^/  /' || true
done
echo "winch rattles asked for in the race: $(grep -c ' play 2$' "$work/trace" || true)"
echo "underflows the server reported in the race: $(grep -c ' underflow ' "$work/trace" || true)"
echo "CPU over $seconds s of demonstration with sound: $share % of one core"
for f in klapper knerp ratel waterlp; do
    sox "$DATA/$f.wav" -n stats 2>&1 |
        awk -v f="$f" '/^RMS lev dB/ { l = $4 } /^RMS Pk dB/ { p = $4 }
                        END { printf "%s.wav: RMS %s dBFS, loudest 50 ms %s dBFS\n", f, l, p }'
done
# KEEP=FOLDER keeps the recordings, the trace and what was found in them.
if [[ -n "${KEEP:-}" ]]; then
    mkdir -p "$KEEP"
    cp "$work"/*.wav "$work"/*.found "$work"/*.reads "$work/trace" "$KEEP/"
fi
