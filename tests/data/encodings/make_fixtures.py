#!/usr/bin/env python3
"""Writes the encoding fixtures: the same subtitles in several encodings and formats, encoded
by Python's own codecs so that the program's decoders are checked against an independent
implementation. Run it from this folder; the files are committed."""

LINES = {
    "cs": "Příliš žluťoučký kůň|úpěl ďábelské ódy",
    "pl": "Zażółć gęślą jaźń – „cytat”",
    "fr": "Très bien, où est la forêt ?",
    "ru": "Времена года|и снова зима",
    "ja": "日本語のテキスト",
}

# Which lines each encoding can hold, in file order.
ENCODINGS = {
    "utf-8": ("utf-8", "", ["cs", "pl", "fr", "ru", "ja"]),
    "utf-8-bom": ("utf-8", "\ufeff", ["cs", "pl", "fr", "ru", "ja"]),
    "utf-16le": ("utf-16-le", "\ufeff", ["cs", "pl", "fr", "ru", "ja"]),
    "utf-16be": ("utf-16-be", "\ufeff", ["cs", "pl", "fr", "ru", "ja"]),
    "windows-1250": ("cp1250", "", ["cs", "pl"]),
    "windows-1252": ("cp1252", "", ["fr"]),
    "windows-1251": ("cp1251", "", ["ru"]),
}


def subrip(texts):
    out = ""
    for k, text in enumerate(texts, 1):
        out += f"{k}\r\n00:00:{k:02d},250 --> 00:00:{k:02d},750\r\n" + text.replace("|", "\r\n") + "\r\n\r\n"
    return out


def microdvd(texts):
    return "".join(f"{{{k * 25}}}{{{k * 25 + 12}}}{text}\r\n" for k, text in enumerate(texts, 1))


def simpletime(texts):
    return "".join(f"00:00:{k:02d}:{text}\r\n" for k, text in enumerate(texts, 1))


FORMATS = {"srt": subrip, "sub": microdvd, "txt": simpletime}

for name, (codec, bom, langs) in ENCODINGS.items():
    texts = [LINES[lang] for lang in langs]
    for ext, layout in FORMATS.items():
        with open(f"{name}.{ext}", "wb") as f:
            f.write((bom + layout(texts)).encode(codec))
