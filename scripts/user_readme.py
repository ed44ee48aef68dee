#!/usr/bin/env python3
"""The zip's README.txt: docs/README.txt with README.md's part for Windows users in it, as plain text
for Notepad: lines of at most 78 characters, tables as indented entries, ASCII only (Windows 7's
Notepad takes a file without a byte-order mark for the ANSI code page).
    scripts/user_readme.py SOURCE_FOLDER VERSION COMMIT > README.txt"""
import re
import sys
import textwrap

WIDTH = 78
START, END = "<!-- From here to the mark", "<!-- end of the part for Windows users -->"
LIST_ITEM = re.compile(r"(- |\d+\. )")


def user_part(markdown):
    lines = markdown.splitlines()
    start = next(i for i, line in enumerate(lines) if line.startswith(START))
    start = next(i for i in range(start, len(lines)) if lines[i].rstrip().endswith("-->")) + 1
    return lines[start:lines.index(END)]


# Code (a command, a path) is never broken across lines; a message in a table's first column is
# quoted instead, so that its first and last character show.
def inline(text, quote_code=False):
    text = re.sub(r"!\[[^\]]*\]\([^)]*\)", "", text)
    text = re.sub(r"\[([^\]]*)\]\(([^)]*)\)", r"\1 (\2)", text)
    code = (lambda m: f'"{m[1]}"') if quote_code else (lambda m: m[1].replace(" ", "\0"))
    return re.sub(r"`([^`]*)`", code, text).strip()


def fill(text, first="", rest=""):
    return textwrap.fill(text, WIDTH, initial_indent=first, subsequent_indent=rest, break_long_words=False,
                         break_on_hyphens=False).replace("\0", " ")


def plain(block):
    if block[0].startswith("#"):
        title = inline(block[0].lstrip("#")).replace("\0", " ")
        return title + "\n" + "-" * len(title)
    if block[0].startswith("|"):
        rows = [[cell.strip() for cell in line.strip().strip("|").split("|")] for line in block]
        return "\n\n".join(
            "\n".join([fill(inline(row[0], quote_code=True))] +
                      [fill(f"{name}: {inline(cell)}", "    ", "    ") for name, cell in zip(rows[0][1:], row[1:])])
            for row in rows[2:])
    if LIST_ITEM.match(block[0]):
        items = []
        for line in block:
            if LIST_ITEM.match(line):
                items.append(line)
            else:
                items[-1] += " " + line.strip()
        return "\n".join(
            fill(inline(item[len(marker):]), marker, " " * len(marker))
            for item, marker in ((item, LIST_ITEM.match(item).group(1)) for item in items))
    return fill(inline(" ".join(block)))


def main():
    source, version, commit = sys.argv[1:4]
    with open(f"{source}/README.md", encoding="utf-8") as f:
        part = user_part(f.read())
    blocks, block = [], []
    for line in part + [""]:
        if line.strip():
            block.append(line)
        elif block:
            blocks.append(block)
            block = []
    body = "\n\n".join(text for text in map(plain, blocks) if text)
    with open(f"{source}/docs/README.txt", encoding="utf-8") as f:
        frame = f.read()
    text = frame.replace("@VERSION@", version).replace("@COMMIT@", commit).replace("@USER_PART@", body)
    text.encode("ascii")  # fails, and the release with it, on a character that Notepad may misread
    sys.stdout.write(text)


main()
