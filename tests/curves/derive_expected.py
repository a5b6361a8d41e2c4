#!/usr/bin/env python3
"""Expected values of the curve tests whose arithmetic does not come out exact.

Every value is computed in four-byte reals: each +, -, *, / of two float32
values is done in double and rounded to float32 (exact emulation, since a
double holds the exact result of one float32 operation closely enough to round
it correctly). Run it and compare with the constants in the tests:

    python3 tests/curves/derive_expected.py

This is a separate derivation from the rules as written for the curves, not a
copy of the C++ code, and it only covers one-level curves.
"""
import struct

MISSING = None  # set below


def f(x):
    """Round a Python float to the nearest float32."""
    return struct.unpack('<f', struct.pack('<f', x))[0]


def bits(x):
    return struct.unpack('<I', struct.pack('<f', x))[0]


MISSING = f(-1.0e35)


def add(a, b): return f(a + b)
def sub(a, b): return f(a - b)
def mul(a, b): return f(a * b)
def div(a, b): return f(a / b)


def nonneg(code):
    return code < 20 or code == 21 or code > 102


def segment(x, x1, y1, x2, y2, code, extra_mode=0):
    corr = 1 if extra_mode == 1 else code
    if x2 == MISSING:
        y = y1
    elif x1 == MISSING:
        y = y2
    elif x1 == x2:
        y = y1
    elif abs(sub(x, x1)) < f(2.0e-5):
        y = y1
    elif abs(sub(x, x2)) < f(2.0e-5):
        y = y2
    else:
        y = add(y1, mul(div(sub(y2, y1), sub(x2, x1)), sub(x, x1)))
    if nonneg(corr) and y < 0:
        if x1 < x2:
            y = y1 if x < x1 else (y2 if x > x2 else (y2 if y2 > 0 else y1))
        else:
            y = y1 if x > x1 else (y2 if x < x2 else (y2 if y2 > 0 else y1))
        if y < 0:
            y = 0.0
    return y


def bracket(x, order, absc):
    """order: point numbers sorted by abscissa; absc: {point: abscissa}."""
    n = len(order)
    if n == 0:
        return (0, 0)
    if n == 1:
        return (order[0], 0)
    for i, e in enumerate(order):
        if x <= absc[e]:
            return (order[0], order[1]) if i == 0 else (order[i - 1], order[i])
    return (order[-2], order[-1])


class Level:
    """One level of one stream: points 1..n with temperature, second axis and
    property values."""

    def __init__(self, temps, second, props):
        self.t = {p + 1: f(v) for p, v in enumerate(temps)}
        self.s = {p + 1: f(v) for p, v in enumerate(second)}
        self.props = {k: {p + 1: f(v) for p, v in enumerate(vals)} for k, vals in props.items()}
        self.props[20] = self.t
        self.props[17] = self.s
        pts = sorted(self.t)
        self.t_order = sorted(pts, key=lambda p: self.t[p])  # stable
        self.s_order = sorted(pts, key=lambda p: self.s[p])

    def at(self, axis, code, x):
        if (axis == 1 and code == 20) or (axis == 2 and code == 17):
            return x
        absc, order = (self.t, self.t_order) if axis == 1 else (self.s, self.s_order)
        a, b = bracket(x, order, absc)
        x1 = absc[a] if a else MISSING
        y1 = self.props[code][a] if a else MISSING
        x2 = absc[b] if b else MISSING
        y2 = self.props[code][b] if b else MISSING
        r = segment(x, x1, y1, x2, y2, code)
        if nonneg(code) and r < 0:
            r = 0.0
        return r

    def evaluate(self, code, x):
        """Curve property `code` at temperature x by bisection along axis 2."""
        s0 = self.at(1, 17, x)
        hi = mul(f(1.2), s0)
        lo = mul(f(0.8), s0)
        rising = self.at(2, 20, hi) > self.at(2, 20, lo)
        mid = 0.0
        steps = 0
        for _ in range(100):
            steps += 1
            mid = add(lo, mul(sub(hi, lo), f(0.5)))
            t = self.at(2, 20, mid)
            if abs(sub(t, x)) < f(0.001):
                break
            if t > x:
                if rising:
                    hi = mid
                else:
                    lo = mid
            else:
                if rising:
                    lo = mid
                else:
                    hi = mid
            if abs(sub(hi, lo)) < f(1.0e-7):
                break
        return mid, steps, self.at(2, code, mid)


class TwoLevels:
    """Two levels of one stream at pressures p1 < p2, blended linearly in
    pressure; the bisection as in Level.evaluate."""

    def __init__(self, p1, level1, p2, level2):
        self.p1, self.l1, self.p2, self.l2 = f(p1), level1, f(p2), level2

    def at(self, axis, code, x, pressure):
        if (axis == 1 and code == 20) or (axis == 2 and code == 17):
            return x
        v1 = self.l1.at(axis, code, x)
        v2 = self.l2.at(axis, code, x)
        r = segment(pressure, self.p1, v1, self.p2, v2, code)
        if nonneg(code) and r < 0:
            r = 0.0
        return r

    def evaluate(self, code, x, pressure):
        level = Level([], [], {})
        level.at = lambda axis, c, v: self.at(axis, c, v, pressure)
        return level.evaluate(code, x)


def show(name, value):
    print(f"{name:48s} {value!r:>24s}  bits 0x{bits(value):08X}  as C++ {value:.9g}f")


def main():
    print("-- segment interpolation")
    show("segment(0.3; 0.1,1.7; 0.7,2.9; code 20)",
         segment(f(0.3), f(0.1), f(1.7), f(0.7), f(2.9), 20))
    show("segment(2.5; 0.1,1.7; 0.7,2.9; code 20)",
         segment(f(2.5), f(0.1), f(1.7), f(0.7), f(2.9), 20))
    show("segment(1/3; 0,0; 1,1; code 20)",
         segment(f(1.0 / 3.0), 0.0, 0.0, 1.0, 1.0, 20))
    show("segment(1.0001; 1,3; 2,9; code 20)",
         segment(f(1.0001), 1.0, 3.0, 2.0, 9.0, 20))
    show("segment(0.2; 0.1,0.1; 2.9,1.7; code 20)",
         segment(f(0.2), f(0.1), f(0.1), f(2.9), f(1.7), 20))

    print("-- bisection on a straight curve T = 16 S (stream 1, one level)")
    straight = Level([16, 32, 48, 64], [1, 2, 3, 4], {1: [2, 4, 8, 16]})
    for x in (40.0, 41.0, 27.125):
        mid, steps, value = straight.evaluate(1, f(x))
        show(f"evaluate(code 1, T={x}) mid after {steps} steps", mid)
        show(f"evaluate(code 1, T={x}) value", value)
        show(f"evaluate(code 17, T={x})", straight.evaluate(17, f(x))[2])
        show(f"stream property(axis 1, code 17, T={x})", straight.at(1, 17, f(x)))

    print("-- bisection that misses: T = 16, 64, 32, 48 at S = 1..4")
    bent = Level([16, 64, 32, 48], [1, 2, 3, 4], {1: [2, 4, 8, 16]})
    mid, steps, value = bent.evaluate(1, f(56.0))
    show(f"evaluate(code 1, T=56) mid after {steps} steps", mid)
    show("evaluate(code 1, T=56) value", value)
    mid, steps, value = bent.evaluate(1, f(17.625))
    show(f"evaluate(code 1, T=17.625) mid after {steps} steps", mid)
    show("evaluate(code 1, T=17.625) value", value)
    show("0.8 * s0 (the low end of the window)", mul(f(0.8), bent.at(1, 17, f(56.0))))

    print("-- the same on a second axis scaled by 1/1024: the window closes by width")
    small = Level([16, 64, 32, 48], [1 / 1024, 2 / 1024, 3 / 1024, 4 / 1024], {1: [2, 4, 8, 16]})
    mid, steps, value = small.evaluate(1, f(56.0))
    show(f"evaluate(code 1, T=56) mid after {steps} steps", mid)
    show("evaluate(code 1, T=56) value", value)
    show("0.8 * s0 (the low end of the window)", mul(f(0.8), small.at(1, 17, f(56.0))))

    print("-- bisection between two levels: P=1 T=16 S, P=3 T=8 S")
    low = Level([16, 32, 48, 64], [1, 2, 3, 4], {1: [2, 4, 8, 16]})
    high = Level([16, 32, 48, 64], [2, 4, 6, 8], {1: [1, 2, 3, 4]})
    both = TwoLevels(1.0, low, 3.0, high)
    show("s0 = property 17 at T=40, P=2", both.at(1, 17, f(40.0), f(2.0)))
    mid, steps, value = both.evaluate(1, f(40.0), f(2.0))
    show(f"evaluate(code 1, T=40, P=2) mid after {steps} steps", mid)
    show("evaluate(code 1, T=40, P=2) value", value)
    show("temperature at that mid", both.at(2, 20, mid, f(2.0)))

    print("-- crossing search margins on S = 1..4 at T = 16, 32, 48, 64")
    for t in (64.0009, 64.0011):
        tt = f(t)
        inside = sub(f(48.0), f(0.001)) <= tt <= add(f(64.0), f(0.001))
        show(f"from start, T={t}: inside={inside}, value",
             segment(tt, f(48), f(3), f(64), f(4), 19) if inside else MISSING)
    for t in (15.9991, 15.9989):
        tt = f(t)
        inside = sub(f(16.0), f(0.001)) <= tt <= add(f(32.0), f(0.001))
        show(f"from end, T={t}: inside={inside}, value",
             segment(tt, f(32), f(2), f(16), f(1), 103) if inside else MISSING)
    # The margins on the other side of each end segment.
    for t in (15.9991, 15.9989):
        tt = f(t)
        inside = sub(f(16.0), f(0.001)) <= tt <= add(f(32.0), f(0.001))
        show(f"from start, T={t}: inside={inside}, value",
             segment(tt, f(16), f(1), f(32), f(2), 19) if inside else MISSING)
    for t in (64.0009, 64.0011):
        tt = f(t)
        inside = sub(f(48.0), f(0.001)) <= tt <= add(f(64.0), f(0.001))
        show(f"from end, T={t}: inside={inside}, value",
             segment(tt, f(64), f(4), f(48), f(3), 103) if inside else MISSING)

if __name__ == "__main__":
    main()
