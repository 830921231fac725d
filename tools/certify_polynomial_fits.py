#!/usr/bin/python3
"""Certified values of ill-conditioned polynomial least-squares problems.

Writes tests/data_files/certified/polynomial-fits.txt (or the file named on the
command line): data sets of the hardest kind of polynomial fit (degree 5 over
x = 0..20 and the like, with data from exact polynomials up to noise far larger
than the signal), each twice: with x as given and with x multiplied by 1e10,
the size of q² in 1/cm². Every problem is solved exactly in rational arithmetic
(fractions.Fraction) from exactly the doubles a fit is fed: x, x*1e10 as the
double that product rounds to, y and sigma as the doubles written to the file.
Only the results are rounded, to 21 significant digits; square roots are taken
with integer square roots of scaled values.

Standard library only; run with /usr/bin/python3. The same command always
writes the same bytes.
"""

import math
import os
import sys
from fractions import Fraction

DIGITS = 21
SCALE = 1e10

# ---------------------------------------------------------------------------
# Exact least squares


def solve(matrix, rhs):
    """Gauss-Jordan in Fractions: the inverse of matrix and matrix^-1 rhs."""
    m = len(matrix)
    a = [list(row) + [Fraction(int(i == j)) for j in range(m)] + [rhs[i]] for i, row in enumerate(matrix)]
    for col in range(m):
        pivot = next(r for r in range(col, m) if a[r][col] != 0)
        a[col], a[pivot] = a[pivot], a[col]
        p = a[col][col]
        a[col] = [v / p for v in a[col]]
        for r in range(m):
            if r != col and a[r][col] != 0:
                f = a[r][col]
                a[r] = [v - f * c for v, c in zip(a[r], a[col])]
    inverse = [row[m:2 * m] for row in a]
    solution = [row[2 * m] for row in a]
    return inverse, solution


def certify(xs, ys, sigmas, degree):
    """Coefficients, their standard deviations and the residual SD, exactly
    (the SDs as squares). sigmas None: unweighted, the SDs scaled by the
    residual variance; otherwise weights 1/sigma² and the formal SDs."""
    m = degree + 1
    x = [Fraction(v) for v in xs]
    y = [Fraction(v) for v in ys]
    w = [Fraction(1)] * len(x) if sigmas is None else [1 / (Fraction(s) ** 2) for s in sigmas]
    powers = [[xi ** k for k in range(m)] for xi in x]
    normal = [[sum(wi * p[j] * p[k] for wi, p in zip(w, powers)) for k in range(m)] for j in range(m)]
    rhs = [sum(wi * p[j] * yi for wi, p, yi in zip(w, powers, y)) for j in range(m)]
    inverse, coef = solve(normal, rhs)
    chi2 = sum(wi * (yi - sum(c * pk for c, pk in zip(coef, p))) ** 2 for wi, p, yi in zip(w, powers, y))
    dof = len(x) - m
    variance = chi2 / dof if dof > 0 else Fraction(0)
    if sigmas is None:
        sd2 = [inverse[k][k] * variance for k in range(m)]
    else:
        sd2 = [inverse[k][k] for k in range(m)]
    return coef, sd2, variance


# ---------------------------------------------------------------------------
# Decimal output of exact values


def decimal(value, digits=DIGITS):
    """value (a Fraction) rounded to the given significant digits, as text."""
    if value == 0:
        return "0"
    sign = "-" if value < 0 else ""
    v = abs(value)
    e = math.floor(math.log10(v.numerator) - math.log10(v.denominator))
    # v = m * 10^e with m near [1, 10); correct the estimate exactly.
    while v >= Fraction(10) ** (e + 1):
        e += 1
    while v < Fraction(10) ** e:
        e -= 1
    scaled = v / Fraction(10) ** (e - digits + 1)   # digits digits before the point
    n = scaled.numerator // scaled.denominator
    if 2 * (scaled - n) >= 1:
        n += 1
    if n >= 10 ** digits:                      # rounding carried into a new digit
        n //= 10
        e += 1
    text = str(n)
    return "%s%s.%se%d" % (sign, text[0], text[1:], e)


def sqrt_decimal(square, digits=DIGITS):
    """The square root of a non-negative Fraction to the given digits."""
    if square == 0:
        return "0"
    # Scale by an even power of ten so the integer part has 2*(digits+4) digits,
    # take the integer square root and round the scaled root exactly.
    e = math.floor(math.log10(square.numerator) - math.log10(square.denominator))
    shift = 2 * (digits + 4) - e
    shift += shift % 2
    big = square * Fraction(10) ** shift
    root = math.isqrt(big.numerator // big.denominator)
    return decimal(Fraction(root, 10 ** (shift // 2)), digits)


# ---------------------------------------------------------------------------
# Data


def splitmix64(seed):
    state = seed & 0xFFFFFFFFFFFFFFFF
    while True:
        state = (state + 0x9E3779B97F4A7C15) & 0xFFFFFFFFFFFFFFFF
        z = state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & 0xFFFFFFFFFFFFFFFF
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & 0xFFFFFFFFFFFFFFFF
        yield z ^ (z >> 31)


def uniform(rng):
    """A dyadic value in [-1, 1)."""
    return Fraction(next(rng) >> 11, 1 << 52) - 1


def poly(coef, x):
    return sum(c * x ** k for k, c in enumerate(coef))


def orthogonal_part(x, noise, degree):
    """noise minus its least-squares projection on the polynomials of the
    degree: noise that leaves the fitted coefficients unchanged."""
    m = degree + 1
    powers = [[xi ** k for k in range(m)] for xi in x]
    normal = [[sum(p[j] * p[k] for p in powers) for k in range(m)] for j in range(m)]
    rhs = [sum(p[j] * e for p, e in zip(powers, noise)) for j in range(m)]
    _, c = solve(normal, rhs)
    return [e - sum(ck * pk for ck, pk in zip(c, p)) for e, p in zip(noise, powers)]


def to_double(value):
    return float(Fraction(value))     # correctly rounded


# The Wampler data of the NIST StRD (public domain): x = 0..20 with
# y = 1 + x + ... + x^5 (Wampler1), y = 1 + 0.1 x + ... + 1e-5 x^5 (Wampler2),
# and Wampler1 with noise orthogonal to the polynomials of degree 5, of three
# sizes (Wampler3..5), whose certified coefficients are all 1.
WAMPLER3_Y = [760, -2042, 2111, -1684, 3888, 1858, 11379, 17560, 39287, 64382, 113159, 175108, 273291,
              400186, 581243, 811568, 1121004, 1506550, 2002767, 2611612, 3369180]
WAMPLER4_Y = [75901, -204794, 204863, -204436, 253665, -200894, 214131, -185192, 221249, -138370,
              315911, -27644, 455253, 197434, 783995, 608816, 1370781, 1303798, 2205519, 2408860,
              3444321]
WAMPLER5_Y = [7590001, -20479994, 20480063, -20479636, 25231365, -20476094, 20489331, -20460392,
              18417449, -20413570, 20591111, -20302844, 18651453, -20077766, 21059195, -19666384,
              26348481, -18971402, 22480719, -17866340, 10958421]
# NIST's certified standard deviations of B0..B5 and the residual SD (Wampler3;
# Wampler4 and 5 are 100 and 10000 times these): a check of the data above.
WAMPLER3_SD = ["2152.32624678170", "2363.55173469681", "779.343524331583", "101.475507550350",
               "5.64566512170752", "0.112324854679312", "2360.14502379268"]


def wampler_cases():
    xs = list(range(21))
    yield "Wampler1", "NIST Wampler1: y = 1 + x + ... + x^5, exact", 5, xs, [float(poly([1] * 6, x)) for x in xs], None
    w2 = [to_double(poly([Fraction(1, 10 ** k) for k in range(6)], x)) for x in xs]
    yield "Wampler2", "NIST Wampler2: y = 1 + 0.1x + ... + 1e-5x^5, the decimals rounded to doubles", 5, xs, w2, None
    for name, ys in (("Wampler3", WAMPLER3_Y), ("Wampler4", WAMPLER4_Y), ("Wampler5", WAMPLER5_Y)):
        yield name, "NIST %s: Wampler1 plus orthogonal noise" % name, 5, xs, [float(v) for v in ys], None


def generated_cases():
    """Degree-5 problems of the Wampler kind on other abscissae, with
    coefficients of mixed signs and sizes, from exact data to noise a thousand
    times the signal."""
    grids = {
        "integers": [Fraction(i) for i in range(21)],
        "halves": [Fraction(i, 2) for i in range(0, 41)],                    # 0, 0.5, .. 20: 41 points
        "decimals": None,                                                   # 30 points, 6 decimals
        "pairs": [Fraction(i) for i in range(0, 21, 2) for _ in range(2)],  # every x twice: 22 points
    }
    rng = splitmix64(20240515)
    decimals = sorted({Fraction(round(float(20 * (uniform(rng) + 1) / 2) * 1e6), 10 ** 6) for _ in range(30)})
    grids["decimals"] = [min(max(d, Fraction(0)), Fraction(20)) for d in decimals]
    # Exact in binary, so that an exact fit stays exact in doubles.
    dyadic = [Fraction(3, 2), Fraction(-5, 8), Fraction(3, 64), Fraction(-7, 1024), Fraction(1, 4096), Fraction(-1, 262144)]
    decimal_coef = [Fraction(2), Fraction(-37, 10), Fraction(52, 100), Fraction(-3, 100), Fraction(7, 10000),
                    Fraction(-3, 1000000)]
    noises = [("exact", 0), ("tiny", Fraction(1, 10 ** 8)), ("small", Fraction(1, 10 ** 5)),
              ("large", Fraction(1, 10)), ("huge", Fraction(10)), ("enormous", Fraction(1000))]
    for grid_name, x in grids.items():
        for noise_name, size in noises:
            if noise_name == "exact" and grid_name != "decimals":
                coef = dyadic
            else:
                coef = decimal_coef
            signal = [poly(coef, xi) for xi in x]
            rms = Fraction(math.isqrt(int(sum(s * s for s in signal) / len(signal))))
            if size == 0:
                noise = [Fraction(0)] * len(x)
            else:
                raw = [uniform(rng) + uniform(rng) + uniform(rng) for _ in x]
                # Orthogonal noise of the larger sizes keeps the coefficients
                # near the signal's: the hardest case, coefficients far below
                # their standard deviations.
                noise = orthogonal_part(x, raw, 5) if size >= Fraction(1, 10) else raw
                norm = max(abs(e) for e in noise)
                noise = [e / norm * size * rms for e in noise]
            ys = [to_double(s + e) for s, e in zip(signal, noise)]
            xs = [to_double(xi) for xi in x]
            label = "generated: %s x, %s noise (%s of the signal's RMS)" % (grid_name, noise_name, float(size))
            yield "%s-%s" % (grid_name, noise_name), label, 5, xs, ys, None
    # The Wampler5 kind on other abscissae: y = 1 + x + ... + x^5 plus
    # orthogonal noise twenty times the signal's RMS (as in Wampler5), so that
    # every coefficient lies far below its standard deviation.
    for grid_name in ("halves", "decimals", "pairs"):
        x = grids[grid_name]
        signal = [poly([1] * 6, xi) for xi in x]
        rms = Fraction(math.isqrt(int(sum(s * s for s in signal) / len(signal))))
        noise = orthogonal_part(x, [uniform(rng) + uniform(rng) + uniform(rng) for _ in x], 5)
        norm = max(abs(e) for e in noise)
        ys = [to_double(s + e / norm * 20 * rms) for s, e in zip(signal, noise)]
        yield ("%s-wampler5" % grid_name, "generated: %s x, ones and orthogonal noise as in Wampler5" % grid_name, 5,
               [to_double(v) for v in x], ys, None)
    # Weighted fits: sigma of each point 1 % of |y| + 1, formal SDs.
    x = grids["decimals"]
    for noise_name, size in (("small", Fraction(1, 10 ** 5)), ("large", Fraction(1, 10))):
        signal = [poly(decimal_coef, xi) for xi in x]
        noise = [(uniform(rng) + uniform(rng)) * size * (abs(s) + 1) for s in signal]
        ys = [to_double(s + e) for s, e in zip(signal, noise)]
        sig = [to_double(Fraction(abs(y)) / 100 + 1) for y in ys]
        yield ("weighted-%s" % noise_name, "generated: decimals x, %s noise, weighted by sigma" % noise_name, 5,
               [to_double(v) for v in x], ys, sig)
    # Lower degrees on the decimal grid with moderate noise.
    for degree in (1, 2, 3, 4):
        coef = decimal_coef[:degree + 1]
        signal = [poly(coef, xi) for xi in x]
        noise = [uniform(rng) * Fraction(1, 100) * (abs(s) + 1) for s in signal]
        ys = [to_double(s + e) for s, e in zip(signal, noise)]
        yield ("degree%d" % degree, "generated: decimals x, degree %d" % degree, degree,
               [to_double(v) for v in x], ys, None)


def check_wampler(results):
    """The Wampler coefficients are all 1 and the SDs NIST's: the data typed
    above are NIST's."""
    for name, factor in (("Wampler3", 1), ("Wampler4", 100), ("Wampler5", 10000)):
        coef, sd2, variance = results[name]
        assert all(c == 1 for c in coef), name
        for got, want in zip([sqrt_decimal(s) for s in sd2] + [sqrt_decimal(variance)], WAMPLER3_SD):
            g, w = float(got), float(want) * factor
            assert abs(g - w) <= 1e-13 * w, (name, got, want)
    coef, _, variance = results["Wampler1"]
    assert all(c == 1 for c in coef) and variance == 0


def main():
    out_path = sys.argv[1] if len(sys.argv) > 1 else "tests/data_files/certified/polynomial-fits.txt"
    lines = [
        "# Certified values of polynomial least-squares fits, made by tools/certify_polynomial_fits.py.",
        "# Each problem is solved exactly in rational arithmetic from the doubles listed (x, y and, when",
        "# weighted, sigma: shortest decimal texts that read back as those doubles); the results are",
        "# rounded to 21 significant digits.",
        "#",
        "# case NAME SCALE DEGREE WEIGHTING N     SCALE 1 = x as given, 1e10 = x times 1e10 (the double",
        "#                                        the product rounds to); WEIGHTING off or on",
        "# N lines: x y [sigma]",
        "# DEGREE+1 lines: B<k> coefficient sd   (constant term first; sd scaled by the residual SD when",
        "#                                        unweighted, the formal one when weighted)",
        "# residualSD value",
        "# (a line starting with '#' says what the case is)",
        "",
    ]
    results = {}
    count = 0
    for name, label, degree, xs, ys, sigmas in list(wampler_cases()) + list(generated_cases()):
        for scale_name, scale in (("1", 1.0), ("1e10", SCALE)):
            sx = [x * scale for x in xs]   # the double the product rounds to
            coef, sd2, variance = certify(sx, ys, sigmas, degree)
            if scale == 1.0:
                results[name] = (coef, sd2, variance)
            lines.append("# %s" % label)
            lines.append("case %s %s %d %s %d" % (name, scale_name, degree, "off" if sigmas is None else "on", len(sx)))
            for i, (x, y) in enumerate(zip(sx, ys)):
                row = "%r %r" % (x, y)
                if sigmas is not None:
                    row += " %r" % sigmas[i]
                lines.append(row)
            for k in range(degree + 1):
                lines.append("B%d %s %s" % (k, decimal(coef[k]), sqrt_decimal(sd2[k])))
            lines.append("residualSD %s" % sqrt_decimal(variance))
            lines.append("")
            count += 1
    check_wampler(results)
    with open(out_path + ".tmp", "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines))
    os.replace(out_path + ".tmp", out_path)
    print("%s: %d problems" % (out_path, count))


if __name__ == "__main__":
    main()
