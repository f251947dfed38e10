#!/usr/bin/env python3
"""Writes resources/boards.txt, the board list compiled into the program.

Input: a TSV of the main BBS family's boards (columns category, server, dir, name, with a
header row), in menu order. The regional BBS's boards, which such a table lacks, are added
at the end. Output: the board list's format, CP932 with CR LF line ends:
    category TAB 0
    TAB server TAB directory TAB display name
"""
import sys

REGIONAL = [
    ("hokkaido", "北海道"), ("tohoku", "東北"), ("kanto", "関東"), ("tokyo", "東京"),
    ("tama", "多摩"), ("kana", "神奈川"), ("hokushin", "北陸・甲信越"), ("tokai", "東海"),
    ("kinki", "関西"), ("cyugoku", "中国"), ("shikoku", "四国"), ("kyusyu", "九州"),
    ("okinawa", "沖縄"),
]


def main(src, dst):
    rows = []
    with open(src, encoding="utf-8") as f:
        header = f.readline()
        assert header.split("\t")[0] == "category", "expected a header row"
        for line in f:
            cat, server, d, name = line.rstrip("\r\n").split("\t")
            rows.append((cat, server, d, name))
    out = []
    last = None
    for cat, server, d, name in rows:
        if cat != last:
            out.append(f"{cat}\t0")
            last = cat
        out.append(f"\t{server}\t{d}\t{name}")
    out.append("まちBBS\t0")
    for d, name in REGIONAL:
        out.append(f"\tmachi.to\t{d}\t{name}")
    with open(dst, "wb") as f:
        f.write(("\r\n".join(out) + "\r\n").encode("cp932"))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
