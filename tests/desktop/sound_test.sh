#!/usr/bin/env bash
# Sound through the program's real wave player into a PulseAudio null sink, recorded from its
# monitor:  sound_test.sh PLAY_SOUND DATA_FOLDER
play=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$0")/common.sh"
export HOME="$work"
unset PULSE_SERVER DISPLAY

echo "without an audio server the game is silent"
[[ "$("$play" "$data" 0 2>/dev/null)" == "unavailable" ]] || fail "sound claimed without a server"

pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
    --load="module-null-sink sink_name=nullsink" --load="module-native-protocol-unix" \
    >"$work/pulse.log" 2>&1 &
pulse_pid=$!
servers+=("$pulse_pid")
for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    kill -0 "$pulse_pid" 2>/dev/null || fail "pulseaudio ended: $(cat "$work/pulse.log")"
    sleep 0.1
done

# trimmed FILE: the file's sound without the silence around it, as mono.
trimmed() {
    sox "$1" -c 1 "$2" silence 1 0.005 0.5% reverse silence 1 0.005 0.5% reverse
}
rms() {
    sox "$1" -n stat 2>&1 | sed -n 's/^RMS     amplitude: *//p'
}

for index in 0 3; do
    files=(klapper.wav knerp.wav ratel.wav waterlp.wav)
    wave="$data/${files[$index]}"
    echo "sound $index (${files[$index]}) is recorded whole and its end is reported"
    parec --latency-msec=20 -d nullsink.monitor --file-format=wav "$work/rec.wav" &
    parec_pid=$!
    servers+=("$parec_pid")
    for _ in $(seq 100); do
        [[ $(stat -c %s "$work/rec.wav" 2>/dev/null || echo 0) -gt 4096 ]] && break
        sleep 0.05
    done
    result=$("$play" "$data" "$index" 2>/dev/null)
    [[ "$result" == played* ]] || fail "the player said: $result"
    sleep 0.3
    kill "$parec_pid"
    wait "$parec_pid" 2>/dev/null || true
    trimmed "$work/rec.wav" "$work/heard.wav"
    trimmed "$wave" "$work/sent.wav"
    heard=$(soxi -D "$work/heard.wav")
    sent=$(soxi -D "$work/sent.wav")
    awk -v h="$heard" -v s="$sent" 'BEGIN { exit !(h > s - 0.03 && h < s + 0.03) }' ||
        fail "heard $heard s of $sent s"
    awk -v h="$(rms "$work/heard.wav")" -v s="$(rms "$work/sent.wav")" \
        'BEGIN { exit !(h > 0.8 * s && h < 1.25 * s) }' || fail "the loudness differs"
    echo "  heard $heard s of $sent s; $result ms after the start"
done
echo "a broken wave file silences the run, with the server up"
mkdir "$work/broken"
cp "$data"/*.wav "$work/broken/"
head -c 300 /dev/urandom >"$work/broken/ratel.wav"
[[ "$("$play" "$work/broken" 0 2>/dev/null)" == "unavailable" ]] || fail "a broken file played"
echo "PASS"
