#!/usr/bin/env bash
# Makes the films that the tests, the benchmarks and the screenshot play, from GStreamer's own
# test sources (gstreamer1.0-tools, -plugins-base, -plugins-good, -libav):
#   scripts/make_test_media.sh KIND OUT
#   clip     10 s WebM, VP8 + Vorbis, 25 fps, 160x120: a moving ball; a 440 Hz tone from 4 s
#            to 6 s, silence around it
#   mjpeg    the same picture as an MJPEG AVI without sound: its rate stands only in the
#            AVI headers, not in what the player reports
#   nocodec  a short AVI whose video codec no decoder knows
#   sound    4 s Ogg Vorbis, a 440 Hz tone, no picture
#   scene    30 s WebM, 25 fps, 640x360: a golden ball over a night-blue ground, quiet noise
#   long     2 hours in Matroska, VP8 64x48 at 25 fps + AC-3 48 kHz stereo (about 150 MB, a
#            minute to make)
set -euo pipefail
kind=${1:?kind}
out=${2:?output file}
gst() { gst-launch-1.0 -q "$@"; }
ball() {  # frames width height [videotestsrc properties]
  echo "videotestsrc num-buffers=$1 pattern=ball ${4:-} ! video/x-raw,width=$2,height=$3,framerate=25/1"
}
tone_between_silence() {  # 4 s silence, 2 s tone, 4 s silence at 22050 Hz mono
  local caps="audio/x-raw,rate=22050,channels=1"
  echo "concat name=c ! audioconvert ! vorbisenc ! queue ! mux." \
    "audiotestsrc wave=silence num-buffers=20 samplesperbuffer=4410 ! $caps ! c." \
    "audiotestsrc freq=440 num-buffers=10 samplesperbuffer=4410 ! $caps ! c." \
    "audiotestsrc wave=silence num-buffers=20 samplesperbuffer=4410 ! $caps ! c."
}
case "$kind" in
  clip)
    # shellcheck disable=SC2046
    gst $(tone_between_silence) $(ball 250 160 120) ! vp8enc deadline=1 ! queue ! mux. \
      webmmux name=mux ! filesink location="$out" ;;
  mjpeg)
    # shellcheck disable=SC2046
    gst $(ball 250 160 120) ! jpegenc quality=50 ! avimux ! filesink location="$out" ;;
  nocodec)
    # shellcheck disable=SC2046
    gst $(ball 25 64 48) ! vp8enc deadline=1 ! avimux ! filesink location="$out.tmp"
    LC_ALL=C sed 's/VP80/QMQ0/g' "$out.tmp" >"$out" && rm -f "$out.tmp" ;;
  sound)
    gst audiotestsrc freq=440 num-buffers=40 samplesperbuffer=2205 ! audio/x-raw,rate=22050,channels=1 \
      ! audioconvert ! vorbisenc ! oggmux ! filesink location="$out" ;;
  scene)
    # shellcheck disable=SC2046
    gst $(ball 750 640 360 "background-color=0xff1c2a40 foreground-color=0xffe8c060") \
      ! vp8enc deadline=1 ! queue ! mux. \
      audiotestsrc wave=pink-noise volume=0.3 num-buffers=300 samplesperbuffer=4410 \
      ! audio/x-raw,rate=44100,channels=1 ! audioconvert ! vorbisenc ! queue ! mux. \
      webmmux name=mux ! filesink location="$out" ;;
  long)
    # shellcheck disable=SC2046
    gst $(ball 180000 64 48) ! vp8enc deadline=1 cpu-used=16 ! queue ! mux. \
      audiotestsrc wave=pink-noise num-buffers=7200 samplesperbuffer=48000 \
      ! audio/x-raw,rate=48000,channels=2 ! audioconvert ! avenc_ac3 bitrate=96000 ! queue ! mux. \
      matroskamux name=mux ! filesink location="$out" ;;
  *)
    echo "unknown kind: $kind" >&2
    exit 2 ;;
esac
