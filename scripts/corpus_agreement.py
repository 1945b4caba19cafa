"""How the real files of a corpus folder are read by quillmark-convert, ffmpeg and aeidon.

For every file under CORPUS/<format>/ (the folder names the format the file is written in)
prints one row: the subtitles each program reads, and whether ffmpeg and aeidon agree with
quillmark-convert on the count, the times (milliseconds, or frames for MicroDVD) and the texts;
where they do not, the first difference. Texts are compared as they are read, except that
MicroDVD formatting codes in braces are left out, since quillmark-convert drops them while
reading and the others keep them. Every list is taken in time order, as both peers give it.

    /usr/bin/python3 scripts/corpus_agreement.py path/to/quillmark-convert ../shared/corpus
"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import interop_peers as peers  # noqa: E402


def encoding_of(path):
    """What aeidon is told: the byte-order mark's encoding, else bytes as they are."""
    with open(path, "rb") as f:
        head = f.read(3)
    if head.startswith(b"\xef\xbb\xbf"):
        return "utf_8_sig", "utf-8"
    if head[:2] in (b"\xff\xfe", b"\xfe\xff"):
        return "utf_16", "utf-8"
    return "latin-1", "latin-1"


def text_form(fmt):
    if fmt == "microdvd":
        return lambda text: re.sub(r"\{[^}]*\}", "", text)
    return None


def main(convert, corpus):
    rows, loaded, agree = [], 0, {"ffmpeg": 0, "aeidon": 0}
    folders = sorted(d for d in os.listdir(corpus) if os.path.isdir(os.path.join(corpus, d)))
    total = 0
    for fmt in folders:
        if fmt not in peers.FFMPEG_DEMUXER:
            continue
        for name in sorted(os.listdir(os.path.join(corpus, fmt))):
            path = os.path.join(corpus, fmt, name)
            total += 1
            try:
                ours = peers.by_time(peers.quillmark_read(convert, path, fmt))
            except peers.PeerError as error:
                rows.append((f"{fmt}/{name}", "not read", "", "", str(error)[:90]))
                continue
            loaded += 1
            aeidon_encoding, back = encoding_of(path)
            cells, notes = [], []
            for peer in ("ffmpeg", "aeidon"):
                try:
                    if peer == "ffmpeg":
                        theirs = peers.ffmpeg_read(path, fmt)
                    else:
                        theirs = peers.aeidon_read(path, fmt, aeidon_encoding)
                        for cue in theirs:
                            cue.text = cue.text.encode(back, "replace").decode("latin-1")
                except peers.PeerError as error:
                    cells.append("cannot read")
                    notes.append(f"{peer}: {str(error)[:70]}")
                    continue
                theirs = peers.by_time(theirs)
                diff = peers.first_difference(ours, theirs, text_form=text_form(fmt))
                zeroed = [peers.Cue(max(c.start, 0), None if c.end is None else max(c.end, 0), c.text)
                          for c in theirs]
                if diff is None:
                    agree[peer] += 1
                    cells.append(f"{len(theirs)} agrees")
                elif zeroed != theirs and not peers.first_difference(ours, peers.by_time(zeroed),
                                                                     text_form=text_form(fmt)):
                    cells.append(f"{len(theirs)} agrees but for times below zero")
                    notes.append(f"{peer}: {diff}")
                else:
                    cells.append(f"{len(theirs)} differs")
                    notes.append(f"{peer}: {diff}"[:160])
            rows.append((f"{fmt}/{name}", str(len(ours)), cells[0], cells[1], "; ".join(notes)))
    print("| file | quillmark | ffmpeg | aeidon | first difference |")
    print("|---|---|---|---|---|")
    for row in rows:
        print("| " + " | ".join(cell.replace("|", "\\|") for cell in row) + " |")
    print(f"\n{loaded} of {total} files read; agreeing with ffmpeg: {agree['ffmpeg']}, "
          f"with aeidon: {agree['aeidon']}")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
