#!/usr/bin/env python3
"""Writes docs/filter-language.md from resources/FilterMemo.txt (CP932, CR LF): the same text in
UTF-8 Markdown. "■" lines become headings, indented blocks keep their layout in code blocks,
the rest is prose. Run after editing FilterMemo.txt:

    python3 tools/filter_memo_markdown.py resources/FilterMemo.txt docs/filter-language.md
"""
import sys


def markdown(lines):
    out = ["# フィルタ言語 (Filter language)", "",
           "The guide the program shows beside a custom filter's command "
           "(`resources/FilterMemo.txt`, CP932), in UTF-8.", ""]
    block = []

    def flush():
        if block:
            while block and not block[-1].strip():
                block.pop()
            out.append("```")
            out.extend(block)
            out.append("```")
            out.append("")
            block.clear()

    for line in lines:
        if line.startswith("■"):
            flush()
            out.append("## " + line[1:].strip())
            out.append("")
        elif line.startswith(" ") or (block and not line.strip()):
            block.append(line.rstrip())
        elif not line.strip():
            if out[-1] != "":
                out.append("")
        else:
            flush()
            out.append(line.rstrip())
    flush()
    while out[-1] == "":
        out.pop()
    return "\n".join(out) + "\n"


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="cp932", newline="") as f:
        lines = f.read().replace("\r\n", "\n").split("\n")
    with open(target, "w", encoding="utf-8") as f:
        f.write(markdown(lines))


if __name__ == "__main__":
    main()
