#!/usr/bin/env python3
"""Writes the CP949 character table of the browser engine as C++: for every lead byte 0x81-0xFE
and trail byte 0x41-0xFE, the Unicode character of the pair, or 0 where CP949 has none. Python's
cp949 codec gives the same pairs as the iconv tables the command line converts with."""
import sys

FIRST_LEAD, FIRST_TRAIL, LAST = 0x81, 0x41, 0xFE


def character(lead, trail):
    try:
        text = bytes([lead, trail]).decode("cp949")
    except UnicodeDecodeError:
        return 0
    # A pair that decodes as two characters is not one CP949 character.
    return ord(text) if len(text) == 1 else 0


def main(path):
    rows = []
    for lead in range(FIRST_LEAD, LAST + 1):
        values = [character(lead, trail) for trail in range(FIRST_TRAIL, LAST + 1)]
        rows.append("    " + ",".join(str(v) for v in values) + ",")
    with open(path, "w", encoding="ascii") as out:
        out.write("// Written by web/engine/write_cp949_table.py at build time.\n")
        out.write('#include "web/engine/cp949_table.h"\n\n')
        out.write("namespace tessaline {\n\n")
        out.write("const uint16_t cp949_characters[cp949_leads * cp949_trails] = {\n")
        out.write("\n".join(rows))
        out.write("\n};\n\n}  // namespace tessaline\n")


if __name__ == "__main__":
    main(sys.argv[1])
