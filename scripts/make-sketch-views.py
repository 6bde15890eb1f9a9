#!/usr/bin/env python3
"""Writes the exchanger views of the sketch (resources/vectors/33xx.vec).

Each view is an oblique (cabinet) drawing of one unit in the box the sketch
plays it into (w x h sketch units): the front face, 500 wide (the depth T of
the unit, along the air flow) and h - h2 high (the height H), stands at the
bottom left; the receding side, w2 to the right and h2 up, is the width B.
The plate package stands on its edge: its end plate shows as a diamond on
the front, and the plates, stacked along B, show as diagonal lines on the
package faces that are seen through the open end of the unit.

The faces are drawn back to front, so that nearer ones cover farther ones,
and the whole outline is filled white first: a unit drawn over the one
before it in a series hides what lies behind it.

    scripts/make-sketch-views.py [out-dir]     (default resources/vectors)
"""

import os
import sys

FRONT = 500  # width of the front face (T) in sketch units

INK = "#000000"
PACKAGE = "#dbe4ec"
END_PLATE = "#e8eef3"
PLATE_EDGE = "#6f7f8d"
PANEL_FRONT = "#eef1f3"
PANEL_TOP = "#e0e5e9"
PANEL_SIDE = "#cdd4da"
FRAME = "#5b6670"
CHANNEL = "#aeb9c2"
BYPASS_WALL = "#c9d1d8"
DAMPER = "#3c4650"
HIDDEN = "#8a96a0"


class View:
    """One picture: the box, the projection and the commands written."""

    def __init__(self, number, title, w, h, h2, w2, front_height=500):
        self.number, self.title = number, title
        self.w, self.h, self.h2, self.w2 = w, h, h2, w2
        self.fh = front_height
        self.out = []

    # A point of the unit: t along the front (0..500), b across the width
    # (0 at the front, 1 at the back), z above the ground.
    def p(self, t, b, z):
        return (t + b * self.w2, self.h - z - b * self.h2)

    def emit(self, *words):
        self.out.append(" ".join(str(w) for w in words))

    def comment(self, text):
        self.out.append("")
        self.out.append("# " + text)

    def pen(self, width, colour, style="solid"):
        self.emit("pen", width, colour, style)

    def brush(self, colour):
        self.emit("brush", colour)

    @staticmethod
    def coords(points):
        return " ".join("%d %d" % (round(x), round(y)) for x, y in points)

    def poly(self, points):
        self.emit("poly", self.coords(points))

    def line(self, points):
        self.emit("line", self.coords(points))

    def face(self, corners, fill, width=3, colour=INK):
        """A face given by 3-d corners (t, b, z), filled and outlined."""
        self.pen(width, colour) if width is not None else self.pen(0, colour, "clear")
        self.brush(fill)
        self.poly([self.p(*c) for c in corners])

    def edge(self, a, b, width=4, colour=INK):
        self.pen(width, colour)
        self.line([self.p(*a), self.p(*b)])

    def dashed(self, a, b, dash=14, gap=10):
        """A hidden edge: short dashes from a to b."""
        (x1, y1), (x2, y2) = self.p(*a), self.p(*b)
        length = ((x2 - x1) ** 2 + (y2 - y1) ** 2) ** 0.5
        s = 0.0
        while s < length:
            e = min(s + dash, length)
            self.line([(x1 + (x2 - x1) * s / length, y1 + (y2 - y1) * s / length),
                       (x1 + (x2 - x1) * e / length, y1 + (y2 - y1) * e / length)])
            s = e + gap

    def text(self):
        head = ["# %d: %s" % (self.number, self.title),
                "# Written by scripts/make-sketch-views.py; change the script, not this file.",
                "# Oblique view: front face %d x %d at the bottom left, width %d right and %d up."
                % (FRONT, self.fh, self.w2, self.h2),
                "size %d %d" % (self.w, self.h)]
        return "\n".join(head + self.out) + "\n"


class Unit:
    """What a form of design holds and where."""

    def __init__(self, housing, bypass, damper, bypass_in_front=False, damper_on_top=False):
        self.housing, self.bypass, self.damper = housing, bypass, damper
        self.bypass_in_front = bypass_in_front
        self.damper_on_top = damper_on_top


def draw(v, u):
    H = 500  # height of the unit's body; a damper on top comes above it
    wall = 0.05 if u.housing else 0.0  # housing wall across the width
    inset = 42 if u.housing else 8  # package diamond inside the front face
    r = 250 - inset
    top, right, bottom, left = (250, 250 + r), (250 + r, 250), (250, 250 - r), (250 - r, 250)

    # Where the package and the bypass lie across the width (0 front, 1 back).
    if not u.bypass:
        package = (wall, 1 - wall)
        bypass = None
    elif u.bypass_in_front:
        bypass, package = (wall, 0.27), (0.27, 1 - wall)
    else:
        package, bypass = (wall, 0.73), (0.73, 1 - wall)

    v.comment("The outline filled white: hides whatever lies behind the unit")
    v.pen(0, INK, "clear")
    v.brush("#ffffff")
    fh = v.fh
    v.poly([v.p(0, 0, 0), v.p(0, 0, fh), v.p(0, 1, fh), v.p(FRONT, 1, fh), v.p(FRONT, 1, 0),
            v.p(FRONT, 0, 0)])

    if not u.housing:
        v.comment("Edges of the frame behind the package")
        v.pen(2, HIDDEN)
        v.line([v.p(0, 0, 0), v.p(0, 1, 0), v.p(FRONT, 1, 0)])
        v.line([v.p(0, 1, 0), v.p(0, 1, H)])

    # The package faces seen through the open end: upper right and lower
    # right, each with the edges of its plates.
    def package_faces(b0, b1):
        for name, a, c in (("upper", top, right), ("lower", right, bottom)):
            v.comment("Plate package, %s right face, with the plate edges" % name)
            v.face([(a[0], b0, a[1]), (c[0], b0, c[1]), (c[0], b1, c[1]), (a[0], b1, a[1])],
                   PACKAGE, 2)
            v.pen(0, PLATE_EDGE)
            plates = 12
            for k in range(1, plates):
                b = b0 + (b1 - b0) * k / plates
                v.line([v.p(a[0], b, a[1]), v.p(c[0], b, c[1])])

    def bypass_wall(b):
        v.comment("Bypass: its wall towards the package")
        v.face([(0, b, 0), (FRONT, b, 0), (FRONT, b, H), (0, b, H)], BYPASS_WALL, 2)

    def bypass_end(b0, b1):
        if not u.housing:
            v.comment("Bypass: its top")
            v.face([(0, b0, H), (FRONT, b0, H), (FRONT, b1, H), (0, b1, H)], PANEL_TOP, 3)
        v.comment("Bypass: closed towards the upper opening, open towards the lower one")
        v.face([(FRONT, b0, 250), (FRONT, b1, 250), (FRONT, b1, H), (FRONT, b0, H)],
               BYPASS_WALL, 2)
        v.face([(FRONT, b0, 0), (FRONT, b1, 0), (FRONT, b1, 250), (FRONT, b0, 250)], CHANNEL, 2)
        if u.damper and not u.damper_on_top:
            v.comment("Bypass damper in the opening: its blades")
            v.pen(5, DAMPER)
            blades = 5
            for k in range(blades):
                z = 250 * (k + 0.5) / blades
                v.line([v.p(FRONT, b0 + 0.02, z - 16), v.p(FRONT, b1 - 0.02, z + 16)])

    if u.housing:
        v.comment("Inside of the housing, seen through the open end")
        v.face([(0, 0, 0), (0, 1, 0), (0, 1, H), (0, 0, H)], "#e2e7eb", None)
        v.face([(0, 1, 0), (FRONT, 1, 0), (FRONT, 1, H), (0, 1, H)], "#e9edf0", None)
        v.face([(0, 0, 0), (FRONT, 0, 0), (FRONT, 1, 0), (0, 1, 0)], "#d5dce1", None)

    if bypass and not u.bypass_in_front:
        bypass_wall(bypass[0])
    package_faces(*package)

    v.comment("End plate of the package, with the plates' corrugation seen through it")
    b = package[0]
    v.face([(top[0], b, top[1]), (right[0], b, right[1]), (bottom[0], b, bottom[1]),
            (left[0], b, left[1])], END_PLATE, 4)
    v.pen(0, "#b4c1cc")
    for k in range(1, 8):
        f = k / 8
        for a0, a1, c0, c1 in ((left, top, bottom, right), (left, bottom, top, right)):
            a = (a0[0] + (a1[0] - a0[0]) * f, a0[1] + (a1[1] - a0[1]) * f)
            c = (c0[0] + (c1[0] - c0[0]) * f, c0[1] + (c1[1] - c0[1]) * f)
            v.line([v.p(a[0], b, a[1]), v.p(c[0], b, c[1])])

    if bypass:
        bypass_end(*bypass)

    if u.housing:
        v.comment("Housing: top panel")
        v.face([(0, 0, H), (FRONT, 0, H), (FRONT, 1, H), (0, 1, H)], PANEL_TOP, 3)
        v.comment("Housing: front panel, the package inside drawn as hidden lines")
        v.face([(0, 0, 0), (FRONT, 0, 0), (FRONT, 0, H), (0, 0, H)], PANEL_FRONT, 3)
        v.pen(2, HIDDEN)
        for a, c in zip([top, right, bottom, left], [right, bottom, left, top]):
            v.dashed((a[0], 0, a[1]), (c[0], 0, c[1]))
        v.dashed((0, 0, 250), (left[0], 0, 250))
        v.dashed((right[0], 0, 250), (FRONT, 0, 250))
        v.comment("Housing: the open end, its frame and the partition between the openings")
        flange = 22
        edge_b = 0.04
        strips = [
            [(FRONT, 0, H - flange), (FRONT, 1, H - flange), (FRONT, 1, H), (FRONT, 0, H)],
            [(FRONT, 0, 0), (FRONT, 1, 0), (FRONT, 1, flange), (FRONT, 0, flange)],
            [(FRONT, 0, 0), (FRONT, edge_b, 0), (FRONT, edge_b, H), (FRONT, 0, H)],
            [(FRONT, 1 - edge_b, 0), (FRONT, 1, 0), (FRONT, 1, H), (FRONT, 1 - edge_b, H)],
            [(FRONT, 0, 250 - flange / 2), (FRONT, 1, 250 - flange / 2),
             (FRONT, 1, 250 + flange / 2), (FRONT, 0, 250 + flange / 2)],
        ]
        for s in strips:
            v.face(s, PANEL_SIDE, None)
        v.pen(2, INK)
        v.brush("clear")
        v.poly([v.p(FRONT, edge_b, flange), v.p(FRONT, 1 - edge_b, flange),
                v.p(FRONT, 1 - edge_b, 250 - flange / 2), v.p(FRONT, edge_b, 250 - flange / 2)])
        v.poly([v.p(FRONT, edge_b, 250 + flange / 2), v.p(FRONT, 1 - edge_b, 250 + flange / 2),
                v.p(FRONT, 1 - edge_b, H - flange), v.p(FRONT, edge_b, H - flange)])
    else:
        v.comment("Frame: the corner profiles of the unit")
        v.pen(7, FRAME)
        v.line([v.p(0, 0, 0), v.p(FRONT, 0, 0), v.p(FRONT, 0, H), v.p(0, 0, H), v.p(0, 0, 0)])
        v.line([v.p(0, 0, H), v.p(0, 1, H), v.p(FRONT, 1, H), v.p(FRONT, 0, H)])
        v.line([v.p(FRONT, 1, H), v.p(FRONT, 1, 0), v.p(FRONT, 0, 0)])

    if u.damper_on_top:
        D = v.fh - H
        v.comment("Bypass damper on top of the unit: casing and blades")
        v.face([(0, 0, H), (FRONT, 0, H), (FRONT, 0, H + D), (0, 0, H + D)], PANEL_FRONT, 3)
        v.face([(FRONT, 0, H), (FRONT, 1, H), (FRONT, 1, H + D), (FRONT, 0, H + D)],
               PANEL_SIDE, 3)
        v.face([(0, 0, H + D), (FRONT, 0, H + D), (FRONT, 1, H + D), (0, 1, H + D)],
               PANEL_TOP, 3)
        v.pen(5, DAMPER)
        blades = 5
        for k in range(1, blades + 1):
            b = (k - 0.5) / blades
            v.line([v.p(30, b - 0.04, H + D), v.p(FRONT - 30, b + 0.04, H + D)])
        v.comment("Damper drive")
        v.face([(FRONT, 0.78, H + 6), (FRONT + 30, 0.78, H + 6), (FRONT + 30, 0.78, H + D - 6),
                (FRONT, 0.78, H + D - 6)], "#9aa5ae", 2)
        v.face([(FRONT + 30, 0.78, H + 6), (FRONT + 30, 1, H + 6), (FRONT + 30, 1, H + D - 6),
                (FRONT + 30, 0.78, H + D - 6)], "#7f8a94", 2)
    elif u.damper:
        v.comment("Damper drive on the closed part of the bypass end")
        c = (bypass[0] + bypass[1]) / 2
        v.face([(FRONT, c - 0.05, 320), (FRONT + 16, c - 0.05, 320), (FRONT + 16, c - 0.05, 400),
                (FRONT, c - 0.05, 400)], "#9aa5ae", 2)
        v.face([(FRONT + 16, c - 0.05, 320), (FRONT + 16, c + 0.05, 320),
                (FRONT + 16, c + 0.05, 400), (FRONT + 16, c - 0.05, 400)], "#7f8a94", 2)
        v.face([(FRONT, c - 0.05, 400), (FRONT + 16, c - 0.05, 400), (FRONT + 16, c + 0.05, 400),
                (FRONT, c + 0.05, 400)], "#b7c0c7", 2)

    v.comment("Outline of the unit")
    v.pen(5, INK)
    v.line([v.p(0, 0, 0), v.p(FRONT, 0, 0), v.p(FRONT, 0, fh), v.p(0, 0, fh), v.p(0, 0, 0)])
    v.line([v.p(0, 0, fh), v.p(0, 1, fh), v.p(FRONT, 1, fh), v.p(FRONT, 0, fh)])
    v.line([v.p(FRONT, 1, fh), v.p(FRONT, 1, 0), v.p(FRONT, 0, 0)])


VIEWS = [
    (3310, "design 10, plate package in its frame", (880, 720, 220, 380), Unit(False, False, False)),
    (3320, "design 20, plate package and bypass", (1010, 800, 300, 510), Unit(False, True, False)),
    (3325, "design 25, last unit of a series: bypass, bypass damper on top",
     (1040, 850, 300, 510), Unit(False, True, True, damper_on_top=True)),
    (3330, "design 30, plate package in a housing", (890, 730, 230, 390), Unit(True, False, False)),
    (3340, "design 40, housing and bypass", (1020, 800, 300, 520), Unit(True, True, False)),
    (3360, "design 60, housing, bypass and bypass damper", (950, 760, 260, 450),
     Unit(True, True, True)),
    (3361, "design 60 seen from the other side: the bypass in front", (950, 760, 260, 450),
     Unit(True, True, True, bypass_in_front=True)),
]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "vectors")
    for number, title, (w, h, h2, w2), unit in VIEWS:
        front = h - h2
        view = View(number, title, w, h, h2, w2, front)
        draw(view, unit)
        with open(os.path.join(out, "%d.vec" % number), "w", encoding="utf-8") as f:
            f.write(view.text())


if __name__ == "__main__":
    main()
