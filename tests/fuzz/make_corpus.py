#!/usr/bin/env python3
"""Writes the seed corpus of the menu file fuzzer: books as the editor, a
spreadsheet or a hand edit leave them. Run from anywhere; rewrites corpus/."""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
CORPUS = HERE / "corpus"

HEADER = 'MenuName,"num\n(1-297)",' + "".join(
    f'"{section} Section\n{column}\n({limits})",'
    for section in ("First", "Second", "Third")
    for column, limits in (("power", "0-10"), ("min", "0-60"), ("sec", "0-99"))
) + "\n"

KITCHEN = [
    ("Popcorn", (10, 2, 30), (0, 0, 0), (0, 0, 0)),
    ("Baked Potato", (10, 6, 0), (5, 2, 0), (0, 0, 0)),
    ("Pizza", (8, 1, 45), (0, 0, 0), (0, 0, 0)),
    ("Frozen Vegetables", (10, 4, 0), (3, 2, 0), (0, 0, 0)),
    ("Beverage", (10, 1, 20), (0, 0, 0), (0, 0, 0)),
    ("Rice", (10, 10, 0), (3, 15, 0), (0, 0, 0)),
    ("Soup", (9, 3, 0), (0, 0, 0), (0, 0, 0)),
    ("Defrost Meat", (3, 8, 0), (0, 2, 0), (3, 8, 0)),
    ("Defrost Fish", (3, 6, 0), (0, 2, 0), (3, 4, 0)),
    ("Oatmeal", (6, 2, 0), (0, 0, 0), (0, 0, 0)),
    ("Steamed Fish", (10, 5, 30), (7, 2, 0), (0, 0, 0)),
    ("Melt Butter", (2, 0, 45), (0, 0, 0), (0, 0, 0)),
    ("Reheat Plate", (8, 2, 0), (0, 0, 0), (0, 0, 0)),
    ("Bacon", (10, 3, 0), (0, 0, 0), (0, 0, 0)),
    ("Slow Stew", (4, 60, 0), (3, 45, 0), (0, 0, 0)),
]


def row(name, number, stages):
    values = ",".join(str(v) for stage in stages for v in stage)
    return f"{name},#{number:04d},{values}\n"


def book(named, total=299):
    rows = []
    for number in range(1, total + 1):
        entry = named.get(number)
        rows.append(row(entry[0], number, entry[1:]) if entry else
                    row("", number, ((0, 0, 0),) * 3))
    return HEADER + "".join(rows)


def kitchen():
    # Spread over the three groups the way a real book fills up.
    named = {}
    for i, entry in enumerate(KITCHEN):
        named[1 + i] = entry
        named[101 + i * 3] = entry
        named[250 + i] = entry
    return book(named)


def write(name, text, encoding="latin-1", newline="\n", bom=b""):
    data = bom + text.replace("\n", newline).encode(encoding)
    (CORPUS / name).write_bytes(data)


def main():
    CORPUS.mkdir(exist_ok=True)
    for old in CORPUS.iterdir():
        old.unlink()
    write("default.hex", book({}))
    write("kitchen.hex", kitchen())
    write("kitchen_windows.hex", kitchen(), newline="\r\n")
    write("spreadsheet_utf8_bom.hex",
          kitchen().replace(",\n", ",,\n").replace("Soup,", '"Soup",'),
          encoding="utf-8", newline="\r\n", bom=b"\xef\xbb\xbf")
    write("spreadsheet_utf16.hex", kitchen(), encoding="utf-16-le", newline="\r\n",
          bom=b"\xff\xfe")
    short = HEADER + "".join(row(*e[:1], i + 1, e[1:]) for i, e in enumerate(KITCHEN[:12]))
    write("short_no_final_break.hex", short.rstrip("\n"))
    write("no_name_column.hex", HEADER + "".join(
        row("", i + 1, e[1:]).lstrip(",") for i, e in enumerate(KITCHEN)))
    rules = [
        ("Long Full Power", (10, 15, 1), (0, 0, 0), (0, 0, 0)),
        ("Full Power Edge", (10, 15, 0), (10, 10, 0), (0, 0, 0)),
        ("Over Total", (10, 9, 0), (10, 9, 0), (10, 9, 0)),
        ("Long Stage", (9, 60, 1), (0, 0, 0), (0, 0, 0)),
        ("Too Many Minutes", (5, 61, 0), (0, 0, 0), (0, 0, 0)),
        ("Negative", (-1, 2, 3), (0, 0, 0), (0, 0, 0)),
        ("Power Eleven", (11, 1, 0), (0, 0, 0), (0, 0, 0)),
        ("Seconds Over", (3, 0, 100), (0, 0, 0), (0, 0, 0)),
        ("Sixty Nine Seconds", (4, 0, 99), (0, 0, 0), (0, 0, 0)),
    ]
    named = {i + 1: e for i, e in enumerate(rules)}
    named[100] = ("Reserved B", (5, 5, 5), (0, 0, 0), (0, 0, 0))
    named[200] = ("Reserved C", (5, 5, 5), (0, 0, 0), (0, 0, 0))
    write("rules_broken.hex", book(named))
    write("names_other_scripts.hex",
          HEADER + row("??", 1, KITCHEN[0][1:]) + row("\u7c73\u996d", 2, KITCHEN[5][1:]) +
          row("Cr\u00e8me", 3, KITCHEN[6][1:]) + row("Pizza 2", 4, KITCHEN[2][1:]) +
          row("  Tea  ", 5, KITCHEN[4][1:]) + row("Fish, Chips", 6, KITCHEN[10][1:]),
          encoding="utf-8")
    write("overfull.hex", book({}, 305))
    gap = kitchen().split("\n")
    write("empty_line_inside.hex", "\n".join(gap[:30] + [""] + gap[30:]))
    mixed = HEADER + row("Tea", 1, KITCHEN[4][1:]) + "Short,#0002,1,2,3\n" + \
        "a note without a marker\n" + row("Milk", 2, KITCHEN[4][1:]) + \
        "Extra,#0003,1,2,3,0,0,0,0,0,0,7,8,9\n" + "Odd,#0004,+5,007, 3 ,0x1,1.5,,0,0,0\n" + \
        "Huge,#0005,99999999999,2147483648,-2147483649,0,0,0,0,0,0\n"
    write("mixed_rows.hex", mixed)


if __name__ == "__main__":
    main()
