#!/usr/bin/env bash
# Sound through the program's real wave players into a PulseAudio null sink, recorded from its
# monitor and compared sample by sample with the wave files:
#   sound_test.sh PLAY_SOUND RECORD_SOUND DATA_FOLDER
play=$(realpath "$1")
record=$(realpath "$2")
data=$(realpath "$3")
source "$(dirname "$0")/common.sh"
export HOME="$work"
unset PULSE_SERVER DISPLAY

echo "without an audio server the game is silent"
[[ "$("$play" "$data" 0 2>/dev/null)" == "unavailable" ]] || fail "sound claimed without a server"

# The sink takes the files' own format, so nothing is resampled and every sample can be
# compared; without rewinds its monitor hands over exactly what it played. Shared memory is off:
# PulseAudio 16 aborts now and then when a player's memfd block is passed on to the recorder.
rate=$(soxi -r "$data/ratel.wav")
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --disable-shm \
    --load="module-null-sink sink_name=nullsink rate=$rate channels=1 format=s16le norewinds=1" \
    --load="module-native-protocol-unix" >"$work/pulse.log" 2>&1 &
pulse_pid=$!
servers+=("$pulse_pid")
for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    kill -0 "$pulse_pid" 2>/dev/null || fail "pulseaudio ended: $(cat "$work/pulse.log")"
    sleep 0.1
done

# recorded SECONDS COMMAND...: runs the command while the sink's monitor is recorded, then
# prints what record_sound finds in the recording.
recorded() {
    local seconds=$1
    shift
    rm -f "$work/trace" "$work/rec.wav"
    "$record" record nullsink.monitor "$work/rec.wav" "$seconds" "$rate" 1 >"$work/reads" &
    local recorder=$!
    servers+=("$recorder")
    for _ in $(seq 100); do
        grep -qs recording "$work/reads" && break
        sleep 0.05
    done
    grep -q recording "$work/reads" || fail "the recorder does not start"
    DRAVELIN_SOUND_TRACE="$work/trace" "$@" >"$work/played" || {
        cat "$work/played"
        fail "the player failed"
    }
    wait "$recorder"
    "$record" find "$work/rec.wav" "$data" "$work/reads" \
        "$work/trace"
}

files=(klapper.wav knerp.wav ratel.wav waterlp.wav)
for index in 0 1 2 3; do
    echo "sound $index (${files[$index]}) is heard whole and its end is reported"
    found=$(recorded 4 "$play" "$data" "$index")
    grep -q '^played' "$work/played" || fail "the player said: $(cat "$work/played")"
    [[ "$(grep -E '^(sound|unknown)' <<<"$found")" =~ ^sound\ $index\ [0-9.]+\ [0-9.]+\ whole$ ]] ||
        fail "heard instead: $found"
done

echo "an end handler that takes its time holds back no sample"
found=$(recorded 4 "$play" "$data" 1 slow-report)
[[ "$(grep -E '^(sound|unknown)' <<<"$found")" =~ ^sound\ 1\ [0-9.]+\ [0-9.]+\ whole$ ]] ||
    fail "heard instead: $found"

echo "a forced sound cuts another with a fade, an unforced one is refused, a stop fades"
found=$(recorded 9 "$play" "$data" sequence)
cat "$work/played"
heard=$(awk '/^(sound|unknown)/ { print $1, $2, $5 }' <<<"$found" | paste -sd,)
[[ "$heard" == "sound 3 faded,sound 2 whole,sound 1 whole,sound 0 faded,sound 3 whole" ]] ||
    fail "heard instead: $found"
grep -q 'swallowed 0 ' <<<"$found" || fail "a play was not heard: $found"
grep '^summary' <<<"$found"

echo "a broken wave file silences the run, with the server up"
mkdir "$work/broken"
cp "$data"/*.wav "$work/broken/"
head -c 300 /dev/urandom >"$work/broken/ratel.wav"
[[ "$("$play" "$work/broken" 0 2>/dev/null)" == "unavailable" ]] || fail "a broken file played"
echo "PASS"
