#!/usr/bin/env python3
"""Finds the key panel in a screenshot and prints the screen centres of keys.

usage: find_keys.py MODULES.XML SCREEN.rgb WIDTH HEIGHT KEY...

The skin's key panel configuration (ID 999) names the panel picture and the
key areas within it. The view copies skin pictures to the screen 1:1, so the
panel is found where its rows appear unchanged in the raw RGB screenshot; the
rows above the keys are used, since labels and highlights are drawn only on
the keys. Prints "x y" per key, or exits 1 when the panel is not on the screen
exactly once.
"""
import os
import subprocess
import sys
import xml.etree.ElementTree as ET

KEY_PANEL_ID = "999"


def key_panel(modules_xml):
    for config in ET.parse(modules_xml).iter("configuration"):
        if config.get("ID") == KEY_PANEL_ID:
            areas = [tuple(int(area.get(edge)) for edge in ("Left", "Top", "Right", "Bottom"))
                     for area in config.iter("input")]
            picture = os.path.join(os.path.dirname(modules_xml), config.get("Picture"))
            return picture, areas
    sys.exit("find_keys: no key panel (configuration %s) in %s" % (KEY_PANEL_ID, modules_xml))


def picture_rows(path):
    with open(path, "rb") as bmp:
        header = bmp.read(26)
    width = int.from_bytes(header[18:22], "little", signed=True)
    height = abs(int.from_bytes(header[22:26], "little", signed=True))
    rgb = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    row = width * 3
    return width, [rgb[y * row:(y + 1) * row] for y in range(height)]


def locate(screen, screen_width, rows, clean_rows):
    # The most varied clean row gives the fewest chance matches; every other
    # clean row must then match at the same place.
    probe = max(range(clean_rows), key=lambda y: len(set(rows[y][i:i + 3] for i in range(0, len(rows[y]), 3))))
    stride = screen_width * 3
    found = []
    start = screen.find(rows[probe])
    while start >= 0:
        if start % 3 == 0:
            y, x = divmod(start // 3, screen_width)
            top = y - probe
            if top >= 0 and all(screen[(top + r) * stride + x * 3:(top + r) * stride + x * 3 + len(rows[r])] == rows[r]
                                for r in range(clean_rows)):
                found.append((x, top))
        start = screen.find(rows[probe], start + 1)
    return found


def main():
    if len(sys.argv) < 6:
        sys.exit(__doc__)
    modules_xml, screen_path, width, height = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    keys = [int(k) for k in sys.argv[5:]]
    picture, areas = key_panel(modules_xml)
    _, rows = picture_rows(picture)
    with open(screen_path, "rb") as f:
        screen = f.read()
    if len(screen) != width * height * 3:
        sys.exit("find_keys: %s holds %d bytes, not %dx%d RGB" % (screen_path, len(screen), width, height))
    clean_rows = min(top for _, top, _, _ in areas)
    found = locate(screen, width, rows, clean_rows)
    if len(found) != 1:
        print("find_keys: the key panel is on the screen %d times" % len(found), file=sys.stderr)
        sys.exit(1)
    x, y = found[0]
    for key in keys:
        left, top, right, bottom = areas[key]
        print(x + (left + right) // 2, y + (top + bottom) // 2)


if __name__ == "__main__":
    main()
