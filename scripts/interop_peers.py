"""Reading subtitle files the way two other programs read them, for comparing with Quillmark.

ffmpeg (its demuxers, through ffprobe's packets) and aeidon (the Python library) each give a
list of Cue records: the start and end in the format's own unit (milliseconds for the clock
formats, frame numbers for MicroDVD) and the text with "|" between lines, as Quillmark holds
it. Run with the system Python (/usr/bin/python3), where python3-aeidon lives.
"""

import codecs
import json
import re
import subprocess
from dataclasses import dataclass
from typing import List, Optional

# Our format names (quillmark-convert --list-formats) with the reader of each peer.
FFMPEG_DEMUXER = {
    "subrip": "srt",
    "ssa": "ass",
    "microdvd": "microdvd",
    "subviewer2": "subviewer",
    "simpletime": "vplayer",
}
AEIDON_FORMAT = {
    "subrip": "SUBRIP",
    "ssa": "SSA",
    "microdvd": "MICRODVD",
    "subviewer2": "SUBVIEWER2",
    "simpletime": "TMPLAYER",
}
FRAME_FORMATS = {"microdvd"}


@dataclass
class Cue:
    start: int
    end: Optional[int]  # None where the format has no end time
    text: str


class PeerError(Exception):
    """The peer did not read the file at all."""


def _ffmpeg_text(fmt: str, data: str) -> str:
    if fmt == "ssa":  # ReadOrder, Layer, Style, Name, MarginL, MarginR, MarginV, Effect, Text
        parts = data.split(",", 8)
        data = parts[8] if len(parts) == 9 else ""
        return data.replace("\\N", "|").replace("\\n", "|")
    if fmt == "subviewer2":
        return data.replace("[br]", "|").replace("[BR]", "|")
    if fmt == "subrip":
        return data.rstrip("\n").replace("\n", "|")
    return data


def _hexdump_bytes(dump: str) -> bytes:
    out = bytearray()
    for line in dump.strip("\n").split("\n"):
        if not line:
            continue
        hexpart = line[10:49].replace(" ", "")
        out += bytes.fromhex(hexpart)
    return bytes(out)


def ffmpeg_read(path: str, fmt: str) -> List[Cue]:
    """The cues as ffmpeg's demuxer for `fmt` gives them, in its (time-sorted) order."""
    run = subprocess.run(
        ["ffprobe", "-v", "error", "-f", FFMPEG_DEMUXER[fmt], "-show_streams", "-show_packets",
         "-show_data", "-of", "json", path],
        capture_output=True, text=True)
    if run.returncode != 0:
        raise PeerError(run.stderr.strip() or "ffprobe failed")
    probe = json.loads(run.stdout)
    streams = probe.get("streams", [])
    if not streams:
        raise PeerError("no subtitle stream")
    num, den = (int(x) for x in streams[0]["time_base"].split("/"))
    cues = []
    for packet in probe.get("packets", []):
        pts = int(packet["pts"])
        duration = int(packet.get("duration", 0))  # ffprobe leaves out a duration of zero
        text = _hexdump_bytes(packet.get("data", "")).decode("latin-1")
        if fmt in FRAME_FORMATS:  # the demuxer counts in frames
            start, end = pts, pts + duration
        else:
            start = round(pts * num * 1000 / den)
            end = round((pts + duration) * num * 1000 / den)
        cues.append(Cue(start, None if fmt == "simpletime" else end, _ffmpeg_text(fmt, text)))
    return cues


def _aeidon_ms(time: str) -> int:
    sign = -1 if time.startswith("-") else 1
    h, m, s = time.lstrip("-").split(":")
    return sign * round((int(h) * 3600 + int(m) * 60 + float(s)) * 1000)


def aeidon_read(path: str, fmt: str, encoding: str) -> List[Cue]:
    """The cues as aeidon's reader for `fmt` gives them, in file order."""
    import aeidon
    try:
        subtitles = aeidon.files.new(getattr(aeidon.formats, AEIDON_FORMAT[fmt]), path, encoding).read()
    except Exception as error:  # aeidon raises its own and Python's errors alike
        raise PeerError(f"{type(error).__name__}: {error}") from error
    cues = []
    for subtitle in subtitles:
        text = subtitle.main_text.replace("\n", "|")
        if fmt in FRAME_FORMATS:
            cues.append(Cue(subtitle.start_frame, subtitle.end_frame, text))
        else:
            try:
                start, end = _aeidon_ms(subtitle.start_time), _aeidon_ms(subtitle.end_time)
            except ValueError as error:
                raise PeerError(f"time not understood: {error}") from error
            cues.append(Cue(start, None if fmt == "simpletime" else end, text))
    return cues


def _undefined_1250(error):
    """The five bytes Windows-1250 leaves undefined are read as U+0081... and go back as such."""
    if isinstance(error, UnicodeEncodeError):
        text = error.object[error.start:error.end]
        if all(ord(c) in (0x81, 0x83, 0x88, 0x90, 0x98) for c in text):
            return bytes(ord(c) for c in text), error.end
    return b"?", error.end


codecs.register_error("undefined_1250", _undefined_1250)


def quillmark_read(convert: str, path: str, fmt: str) -> List[Cue]:
    """The cues as quillmark-convert --dump gives them (frames or clock as the format keeps)."""
    run = subprocess.run([convert, "--dump", path], capture_output=True)
    if run.returncode != 0:
        raise PeerError(run.stderr.decode("latin-1").strip())
    # The dump is UTF-8; the peers give a file's bytes as they stand (or UTF-8 where the file
    # is UTF-16), so our texts are compared in the same form: back in the file's own encoding.
    info = subprocess.run([convert, "--info", path], capture_output=True, text=True)
    encoding = info.stdout.split("\t")[2] if info.returncode == 0 else "utf-8"
    codec = "cp1250" if encoding == "windows-1250" else "utf-8"
    cues = []
    for line in run.stdout.decode("utf-8").encode(codec, "undefined_1250").decode("latin-1").split("\n"):
        if not line:
            continue
        f = line.split("\t")
        text = f[11].replace("\\t", "\t").replace("\\r", "\r").replace("\\n", "\n").replace("\\\\", "\\")
        if fmt in FRAME_FORMATS:
            cues.append(Cue(int(f[1]), int(f[2]), text))
            continue
        start = ((int(f[3]) * 60 + int(f[5])) * 60 + int(f[7])) * 1000 + int(f[9])
        end = ((int(f[4]) * 60 + int(f[6])) * 60 + int(f[8])) * 1000 + int(f[10])
        cues.append(Cue(start, None if fmt == "simpletime" else end, text))
    return cues


def by_time(cues: List[Cue]) -> List[Cue]:
    """Both peers hand out cues sorted by start time; so is every list compared here."""
    return sorted(cues, key=lambda c: c.start)


def first_difference(ours: List[Cue], theirs: List[Cue], tolerance=None, text_form=None) -> Optional[str]:
    """None when the two lists agree; else what differs first. `tolerance(index, which)` gives
    the allowed difference of one time; `text_form` normalises texts before comparing."""
    if len(ours) != len(theirs):
        return f"{len(theirs)} cues instead of {len(ours)}"
    form = text_form or (lambda t: t)
    for i, (a, b) in enumerate(zip(ours, theirs)):
        for which, x, y in (("start", a.start, b.start), ("end", a.end, b.end)):
            if x is None or y is None:
                continue
            allowed = tolerance(i, which) if tolerance else 0
            if abs(x - y) > allowed:
                return f"cue {i + 1}: {which} {y} instead of {x}"
        if form(a.text) != form(b.text):
            return f"cue {i + 1}: text {b.text!r} instead of {a.text!r}"
    return None


def strip_codes(text: str) -> str:
    """Formatting codes in braces ({y:i}, {\\i1}) and tags (<i>) left out."""
    return re.sub(r"<[^>]*>", "", re.sub(r"\{[^}]*\}", "", text))
