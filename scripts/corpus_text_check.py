"""Whether the texts quillmark-convert reads from real files come out right.

For each file of a corpus folder whose true encoding is known (from its SOURCES.md notes), the
subtitle lines that hold any non-ASCII character are looked up in the file decoded strictly in
that encoding; a file comes out right when every such line is found there. Each file is tried
as a user first opens it (--encoding auto) and, where that is wrong, with its encoding chosen.

    /usr/bin/python3 scripts/corpus_text_check.py path/to/quillmark-convert ../shared/corpus
"""

import os
import re
import subprocess
import sys

# The encoding each file is written in, as SOURCES.md says; "mixed" where no single one is.
TRUE_ENCODING = {
    "microdvd/subtitlesparser-freaks.sub": "windows-1252",
    "microdvd/subtitlesparser-pirates-cd1.sub": "windows-1252",
    "microdvd/subtitlesparser-20140116-152304.sub": "windows-1250",
    "microdvd/subtitlesparser-20140118-173751.sub": "utf-8",
    "microdvd/subtitleeditor-microdvd-euc-jp.sub": "euc-jp",
    "subrip/pysrt-bom-utf-8.srt": "utf-8-sig",
    "subrip/pysrt-bom-utf-16-le.srt": "utf-16",
    "subrip/pysrt-bom-utf-16-be.srt": "utf-16",
    "subrip/pysrt-windows-1252.srt": "windows-1252",
    "subrip/pysrt-capability_tester.srt": "utf-8-sig",
    "subrip/pysrt-no-indexes.srt": "utf-8-sig",
    "subrip/subtitleedit-auto_detect_windows-1250.srt": "windows-1250",
    "subrip/subtitleedit-auto_detect_windows-1251.srt": "windows-1251",
    "subrip/subtitlesparser-salvage.srt": "windows-1256",
    "subrip/astisub-example-in-non-utf8.srt": "utf-16",
    "subrip/subtitleeditor-subrip-euc-jp.srt": "euc-jp",
    "subviewer2/subtitlesparser-battlestar-galactica.sub": "windows-1252",
    "subviewer2/subtitlesparser-20140119-151331.sub": "windows-1252",
    "subviewer2/subtitleeditor-subviewer2-euc-jp.sub": "euc-jp",
    "ssa/subtitleedit-test.ssa": "utf-8-sig",
    "ssa/subtitlesparser-hp2.ssa": "windows-1252",
    "ssa/subtitlesparser-hellboy2.ssa": "mixed",
    "ssa/subtitlesparser-lost-and-delirious-fr.ssa": "windows-1252",
    "ssa/subtitleeditor-ssa-euc-jp.ssa": "euc-jp",
}
# The name --encoding takes for each; the UTF forms are found from the file itself.
OPTION = {"utf-8": "utf-8", "utf-8-sig": "utf-8", "utf-16": "auto"}


def dumped_lines(convert, path, encoding):
    run = subprocess.run([convert, "--dump", "--encoding", encoding, path], capture_output=True)
    if run.returncode != 0:
        return None
    lines = []
    for record in run.stdout.decode("utf-8").split("\n"):
        if record:
            text = record.split("\t")[11].replace("\\t", "\t").replace("\\\\", "\\")
            lines += [line for line in text.split("|") if any(ord(c) > 127 for c in line)]
    return lines


def comes_out_right(lines, truth):
    return lines is not None and all(line.strip() in truth for line in lines)


def main(convert, corpus):
    right_auto = right_chosen = 0
    rows = []
    for name, encoding in sorted(TRUE_ENCODING.items()):
        path = os.path.join(corpus, name)
        if encoding == "mixed":
            rows.append((name, encoding, "-", "-", "no single encoding holds the whole file"))
            continue
        with open(path, "rb") as f:
            truth = f.read().decode(encoding)
        truth = re.sub(r"\{[^}]*\}", "", truth) if name.startswith("microdvd/") else truth
        auto = comes_out_right(dumped_lines(convert, path, "auto"), truth)
        chosen = auto or comes_out_right(dumped_lines(convert, path, OPTION.get(encoding, encoding)), truth)
        right_auto += auto
        right_chosen += chosen
        why = "" if auto else ("another code page than Windows-1250 (never guessed): right once chosen"
                               if chosen else "not right even with the encoding chosen")
        rows.append((name, encoding, "right" if auto else "wrong", "right" if chosen else "wrong", why))
    print("| file | true encoding | auto | encoding chosen | why |")
    print("|---|---|---|---|---|")
    for row in rows:
        print("| " + " | ".join(row) + " |")
    print(f"\n{len(TRUE_ENCODING)} files with non-ASCII text: right as opened {right_auto}, "
          f"right with the encoding chosen {right_chosen}")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
