"""Files written by quillmark-convert, read back by ffmpeg and aeidon, and rendered by libass.

Each fixture of tests/data/interop is converted into every format below; each output is read
by ffmpeg, by aeidon and by quillmark-convert itself and must give the fixture's subtitles:
the same count, the times at the format's precision, the same texts. The SubRip and Sub
Station Alpha outputs are drawn over a generated video by ffmpeg's subtitles filter (libass),
which must report no error. Prints one line per check and exits 1 on any mismatch.

    /usr/bin/python3 scripts/check_interop.py path/to/quillmark-convert
"""

import os
import subprocess
import sys
import tempfile
from fractions import Fraction

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import interop_peers as peers  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURES = os.path.join(HERE, "..", "tests", "data", "interop")

OUTPUTS = ["subrip", "ssa", "microdvd", "subviewer2", "simpletime"]
# Milliseconds kept by each clock format (times are cut, never rounded, when written).
PRECISION_MS = {"subrip": 1, "ssa": 10, "subviewer2": 10, "simpletime": 1000}

# fixture, its format, the --fps given (None: the converter's own choice), the rate the
# frames are expected at.
CASES = [
    ("clock_times.srt", "subrip", "25", Fraction(25)),
    ("clock_times.srt", "subrip", "23.976", Fraction(23976, 1000)),
    ("ten_hours.srt", "subrip", "25", Fraction(25)),
    ("frames_with_rate_line.sub", "microdvd", None, Fraction(25)),
]

# What a peer cannot read, said instead of compared: (peer, format, fixture) -> reason.
NOT_COMPARED = {
    ("aeidon", "ssa", "ten_hours.srt"):
        "aeidon reads the hour of a Sub Station Alpha time as one digit, so 10:00:01.20 is "
        "beyond it; ffmpeg and quillmark-convert read those times",
}


def half_even(value: Fraction):
    """Nearest integer, ties to even, and whether it was an exact tie."""
    floor = value.numerator // value.denominator
    rest = value - floor
    if rest == Fraction(1, 2):
        return floor + (floor % 2), True
    return (floor + 1 if rest > Fraction(1, 2) else floor), False


def expected_cues(source, source_fmt, target, rate):
    """The fixture's subtitles as the target format holds them, with the allowed difference
    of each time: one unit where the conversion met an exact half-frame tie."""
    cues, slack = [], []
    for cue in source:
        times, ties = [], []
        for t in (cue.start, cue.end):
            if source_fmt in peers.FRAME_FORMATS and target in peers.FRAME_FORMATS:
                value, tie = t, False
            elif target in peers.FRAME_FORMATS:
                value, tie = half_even(Fraction(t) * rate / 1000)
            else:
                ms, tie = (half_even(Fraction(t) * 1000 / rate) if source_fmt in peers.FRAME_FORMATS
                           else (t, False))
                value = ms - ms % PRECISION_MS[target]
            times.append(value)
            ties.append((PRECISION_MS.get(target, 1) if tie else 0))
        end = None if target == "simpletime" else times[1]
        cues.append(peers.Cue(times[0], end, cue.text))
        slack.append(ties)
    order = sorted(range(len(cues)), key=lambda i: cues[i].start)
    return [cues[i] for i in order], [slack[i] for i in order]


def render(path, must_draw):
    """ffmpeg's subtitles filter over two seconds of black; returns an error text or None."""
    run = subprocess.run(
        ["ffmpeg", "-nostdin", "-v", "error", "-f", "lavfi", "-i", "color=c=black:s=160x120:r=2:d=2",
         "-vf", f"subtitles={path}", "-f", "rawvideo", "-pix_fmt", "gray", "-"],
        capture_output=True)
    if run.returncode != 0 or run.stderr.strip():
        return run.stderr.decode(errors="replace").strip() or f"ffmpeg exit {run.returncode}"
    if must_draw and not any(b > 128 for b in run.stdout):
        return "nothing was drawn where a subtitle shows"
    return None


def main(convert):
    failures, checks = [], 0
    with tempfile.TemporaryDirectory() as work:
        for fixture, source_fmt, fps, rate in CASES:
            source_path = os.path.join(FIXTURES, fixture)
            source = peers.quillmark_read(convert, source_path, source_fmt)
            for target in OUTPUTS:
                name = f"{os.path.splitext(fixture)[0]}-{fps or 'own'}.{target}"
                out = os.path.join(work, name)
                args = [convert, "--quiet", "--to", target, "-o", out, source_path]
                if fps:
                    args[1:1] = ["--fps", fps]
                run = subprocess.run(args, capture_output=True, text=True)
                if run.returncode != 0:
                    failures.append(f"{name}: not converted: {run.stderr.strip()}")
                    continue
                expected, slack = expected_cues(source, source_fmt, target, rate)
                readers = {
                    "quillmark": lambda: peers.quillmark_read(convert, out, target),
                    "ffmpeg": lambda: peers.ffmpeg_read(out, target),
                    "aeidon": lambda: peers.aeidon_read(out, target, "latin-1"),
                }
                for peer, read in readers.items():
                    reason = NOT_COMPARED.get((peer, target, fixture))
                    if reason:
                        print(f"  not compared: {name} by {peer}: {reason}")
                        continue
                    checks += 1
                    try:
                        got = peers.by_time(read())
                    except peers.PeerError as error:
                        failures.append(f"{name}: {peer} cannot read it: {error}")
                        continue
                    diff = peers.first_difference(expected, got,
                                                  lambda i, which: slack[i][0 if which == "start" else 1])
                    if diff:
                        failures.append(f"{name}: {peer}: {diff}")
                if target in ("subrip", "ssa"):
                    checks += 1
                    shown = any(c.start <= 1000 < c.end for c in expected if c.end is not None)
                    error = render(out, shown)
                    if error:
                        failures.append(f"{name}: libass: {error}")
    for failure in failures:
        print(f"  MISMATCH {failure}")
    print(f"interop: {checks - len(failures)}/{checks} checks agree"
          f" ({len(CASES)} conversions x {len(OUTPUTS)} formats; ffmpeg, aeidon, libass)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
