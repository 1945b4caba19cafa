#!/usr/bin/env bash
# Writes the format samples Data/1.sub ... Data/13.sub: one short SubRip text converted by
# quillmark-convert into each of the eleven formats it writes, and hand-written SAMI and
# RadLight examples.
#   scripts/make_samples.sh [BUILD_DIR]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
convert="${1:-$here/build}/src/quillmark-convert"
data="$here/Data"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

crlf() { sed 's/$/\r/'; }
to1250() { iconv -f utf-8 -t cp1250; }

crlf > "$work/sample.utf8" <<'SRT'
1
00:00:01,000 --> 00:00:04,000
Vítejte v ukázce formátu.

2
00:00:05,200 --> 00:00:08,400
Titulek může mít
dva řádky.

3
00:01:02,500 --> 00:01:05,750
Příliš žluťoučký kůň úpěl ďábelské ódy.

SRT
to1250 < "$work/sample.utf8" > "$work/sample.srt"
for format in $(seq 0 10); do
  "$convert" --quiet --to "$format" --fps 25 -o "$data/$((format + 1)).sub" "$work/sample.srt"
done

crlf <<'SAMI' | to1250 > "$data/12.sub"
<SAMI>
<HEAD>
<TITLE>Quillmark</TITLE>
<STYLE TYPE="text/css">
<!--
P { margin-left: 8pt; margin-right: 8pt; text-align: center; font-family: Arial; font-size: 20pt; color: white; }
.CSCC { Name: Czech; lang: cs-CZ; }
-->
</STYLE>
</HEAD>
<BODY>
<SYNC Start=1000><P Class=CSCC>Vítejte v ukázce formátu.
<SYNC Start=4000><P Class=CSCC>&nbsp;
<SYNC Start=5200><P Class=CSCC>Titulek může mít<br>dva řádky.
<SYNC Start=8400><P Class=CSCC>&nbsp;
<SYNC Start=62500><P Class=CSCC>Příliš žluťoučký kůň úpěl ďábelské ódy.
<SYNC Start=65750><P Class=CSCC>&nbsp;
</BODY>
</SAMI>
SAMI

crlf <<'RADLIGHT' | to1250 > "$data/13.sub"
@RadLight subtitles
@Title=Quillmark
# 0:00:01.00 - 0:00:04.00
Vítejte v ukázce formátu.
# 0:00:05.20 - 0:00:08.40
Titulek může mít
dva řádky.
# 0:01:02.50 - 0:01:05.75
Příliš žluťoučký kůň úpěl ďábelské ódy.
RADLIGHT
