#!/usr/bin/env python3
"""Writes a manual page from a head and vortane-calc's --help text.

usage: man_page.py HEAD HELP_PROGRAM VERSION OUTPUT [fields]

HEAD is roff text for the page's name, synopsis and description; @VERSION@ in
it becomes VERSION. The help text follows it: unindented paragraphs fill,
usage lines and indented blocks (options, the field table) keep their columns.
With "fields", only the field table is added, under CASE FILES.
"""
import subprocess
import sys


def escape(line):
    line = line.replace("\\", "\\e")
    return "\\&" + line if line.startswith((".", "'")) else line


def blocks(text):
    block = []
    for line in text.splitlines():
        if line.strip():
            block.append(line)
        elif block:
            yield block
            block = []
    if block:
        yield block


def roff(block):
    if block[0].startswith(" ") or block[0].startswith("usage:"):
        return [".PP", ".nf"] + [escape(line) for line in block] + [".fi"]
    return [".PP"] + [escape(line) for line in block]


def main(head_file, program, version, output, part="all"):
    help_text = subprocess.run([program, "--help"], check=True, capture_output=True,
                               text=True, encoding="utf-8").stdout
    with open(head_file, encoding="utf-8") as head:
        lines = head.read().replace("@VERSION@", version).splitlines()
    for block in blocks(help_text):
        is_fields = block[0].startswith("Fields,")
        if part == "fields" and not is_fields:
            continue
        if is_fields:
            lines.append(".SH CASE FILES" if part == "fields" else ".SS Fields")
        lines += roff(block)
    lines += [".SH SEE ALSO", "vortane-calc(1)" if part == "fields" else "vortane(1)"]
    with open(output, "w", encoding="utf-8") as page:
        page.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main(*sys.argv[1:])
