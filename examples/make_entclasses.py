#!/usr/bin/python3
"""Makes examples/entclasses.dxf, the drawing of examples/entclasses.script: a stair tower.

Run with Debian's interpreter, which has ezdxf:  /usr/bin/python3 examples/make_entclasses.py

Contents (drawing units: metres):
  - a handrail: a helix of 2.5 turns round the tower's axis at (0, 0), radius 2, rising 3 a
    turn (a spline through points of the helix, sixteen cubic pieces to a turn);
  - a spring: a conical helix of 4 turns narrowing from radius 1 to 0.5, rising 0.25 a turn;
  - the tower's walls: a closed multiline round the square (-3,-3) to (3,3), and a garden wall
    as an open multiline from (6,0) to (14,0) to (14,6), centred, scale 0.4;
  - the terrain beside it as a 4 by 3 polygon mesh, a roof as a polyface mesh of four
    triangles;
  - a north arrow shape at (10,10).
"""

import math
import pathlib

import ezdxf

OUT = pathlib.Path(__file__).with_name("entclasses.dxf")


def helix(msp, base, r0, r1, turns, rise):
    n = max(1, math.ceil(turns * 16 - 1e-9))
    end = 2 * math.pi * turns
    step = end / n

    def p(a):
        r = r0 + (r1 - r0) * a / end
        return ezdxf.math.Vec3(base) + (r * math.cos(a), r * math.sin(a), rise * a / (2 * math.pi))

    def dp(a):
        s = (r1 - r0) / end
        r = r0 + s * a
        return ezdxf.math.Vec3(s * math.cos(a) - r * math.sin(a), s * math.sin(a) + r * math.cos(a),
                               rise / (2 * math.pi))

    ctrl = [p(0)]
    knots = [0.0] * 4
    for i in range(n):
        a, b = i * step, (end if i + 1 == n else (i + 1) * step)
        ctrl += [p(a) + dp(a) * ((b - a) / 3), p(b) - dp(b) * ((b - a) / 3), p(b)]
        knots += [b] * (4 if i + 1 == n else 3)
    entity = msp.new_entity("HELIX", {
        "axis_base_point": base, "start_point": (base[0] + r0, base[1], base[2]),
        "axis_vector": (0, 0, 1), "radius": r1, "turns": turns, "turn_height": rise,
        "handedness": 1, "constrain": 1, "degree": 3, "layer": "STAIR"})
    entity.control_points = ctrl
    entity.knots = knots


def main() -> None:
    doc = ezdxf.new("R2018")
    for name, color in (("STAIR", 1), ("WALLS", 7), ("TERRAIN", 3), ("ROOF", 5), ("SIGNS", 2)):
        doc.layers.add(name, color=color)
    msp = doc.modelspace()
    helix(msp, (0, 0, 0), 2.0, 2.0, 2.5, 3.0)
    helix(msp, (10, -6, 0), 1.0, 0.5, 4.0, 0.25)
    msp.add_mline([(-3, -3), (3, -3), (3, 3), (-3, 3)], close=True, dxfattribs={"layer": "WALLS"})
    msp.add_mline([(6, 0), (14, 0), (14, 6)],
                  dxfattribs={"layer": "WALLS", "justification": 1, "scale_factor": 0.4})
    mesh = msp.add_polymesh(size=(4, 3), dxfattribs={"layer": "TERRAIN"})
    for i in range(4):
        for j in range(3):
            mesh.set_mesh_vertex((i, j), (20 + 2 * i, 2 * j, 0.1 * i * j))
    roof = msp.add_polyface(dxfattribs={"layer": "ROOF"})
    top = (0, 0, 9)
    corners = [(-3, -3, 7.5), (3, -3, 7.5), (3, 3, 7.5), (-3, 3, 7.5)]
    roof.append_faces([[corners[k], corners[(k + 1) % 4], top] for k in range(4)])
    msp.add_shape("NORTH", (10, 10, 0), 1.5, dxfattribs={"layer": "SIGNS", "rotation": 90})
    doc.saveas(OUT)


if __name__ == "__main__":
    main()
