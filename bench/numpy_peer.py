#!/usr/bin/python3
"""The double extrapolation of a static light-scattering record file, as a
scientist would write it with numpy: the peer that zebstat-batch is timed
against (bench/peer_side_by_side.sh).

    numpy_peer.py [--plot zimm|berry|guinier] [--q-order N] [--c-order N] [--smooth] FILE
        prints the results as JSON, with the keys and units of
        `zebstat-batch eval --json` (a subset: k, MwC, MwQ2, RgNm, S2Cm2, A2,
        the per-concentration apparent values, coefficients and errors, and
        the two extrapolated lines)
    numpy_peer.py --check BATCH [options] FILE
        runs `BATCH eval --json` with the same options and compares every
        number with the peer's (relative tolerance --tolerance, default 1e-9);
        exit status 1 on a difference

The record file is read whole with one np.fromfile over a structured dtype of
the 198-byte records. Points count equally (no weighting). Only the standard
library and numpy; run with /usr/bin/python3.
"""

import argparse
import json
import os
import subprocess
import sys

import numpy as np

RECORD = np.dtype([
    ("sample", "S25"), ("_a", "V15"), ("solvent", "S25"), ("standard", "S25"),
    ("n_standard", "<f4"), ("n_solvent", "<f4"), ("_b", "<f4"), ("rayleigh", "<f4"),
    ("dndc", "<f4"), ("wavelength_nm", "<f4"), ("viscosity", "<f4"), ("conc", "<f4"),
    ("temperature", "<f4"), ("angle_deg", "<f4"), ("_c", "<f4"),
    ("dapp", "<f4", (6,)), ("_d", "<f4", (6,)),
    ("kcr", "<f4"), ("kcr_error", "<f4"), ("_e", "<f4", (2,)),
])
assert RECORD.itemsize == 198

PLOT_TYPES = {"zimm": 1, "berry": 2, "guinier": 3}


def round_sig(x, n):
    """Rounding to the decimal grid 10^(trunc(log10|x|) - n), as the program
    matches q² and concentration values."""
    x = np.asarray(x, dtype=np.float64)
    with np.errstate(divide="ignore", invalid="ignore"):
        unit = 10.0 ** (np.trunc(np.log10(np.abs(x))) - n)
        r = unit * np.floor(x / unit + 0.5)
    return np.where(x == 0, x, r)


def first_occurrence_codes(values):
    """Distinct values in order of first appearance, and each value's index."""
    _, first, inverse = np.unique(values, return_index=True, return_inverse=True)
    order = np.argsort(first)
    rank = np.empty_like(order)
    rank[order] = np.arange(order.size)
    return first[order], rank[inverse]


def read_records(path):
    """Concentrations (g/cm³), q² rows (1/cm²) and the Kc/R grid with its
    errors (NaN where a record holds no positive Kc/R)."""
    size = os.path.getsize(path)
    count = size // RECORD.itemsize
    with open(path, "rb") as f:
        if f.read(4) == b"SOLU":
            raise SystemExit("%s: the DOS ASCII format, not a record file" % path)
    if count < 2:
        raise SystemExit("%s: no data record" % path)
    rec = np.fromfile(path, dtype=RECORD, count=count)[1:]   # record 1 is the header
    theta = np.floor(rec["angle_deg"].astype(np.float64) * 10.0 + 0.5) * 0.1
    n = rec["n_solvent"].astype(np.float64)
    lam = rec["wavelength_nm"].astype(np.float64)
    q = np.sin(theta * 3.14159265359 / 360.0) * (12.56637061436 * n / lam) * 1e7
    q2 = q * q
    conc_first, col = first_occurrence_codes(rec["conc"])
    q2_first, row = first_occurrence_codes(round_sig(q2, 6))
    conc = rec["conc"][conc_first].astype(np.float64)
    q2_rows = q2[q2_first]
    kcr = rec["kcr"].astype(np.float64)
    err = rec["kcr_error"].astype(np.float64)
    err = np.where(err != 0.0, err, 0.01 * kcr)
    ok = (kcr > 0) & np.isfinite(kcr)
    K = np.full((conc.size, q2_rows.size), np.nan)
    E = np.full_like(K, np.nan)
    K[col[ok], row[ok]] = kcr[ok]
    E[col[ok], row[ok]] = err[ok]
    return conc, q2_rows, K, E


def transform(plot, K, E):
    """Plotted y of every point (NaN where there is none) and half its bar."""
    with np.errstate(invalid="ignore", divide="ignore"):
        if plot == 1:
            return K, E
        if plot == 2:
            y, hi = np.sqrt(K), np.sqrt(K + E)
            lo = np.where(K - E >= 0, np.sqrt(K - E), 2 * y - hi)
        else:
            y, hi = np.log(K), np.log(K + E)
            lo = np.where(K - E > 0, np.log(K - E), 2 * y - hi)
    return y, (hi - lo) / 2


def polyfit_columns(x, Y, order):
    """Least-squares polynomials of the order through the columns of Y over x
    (NaN marks a missing point). Coefficients and their standard errors,
    constant term first, one row per column; NaN rows where a column has no
    more points than the order."""
    m = order + 1
    ncol = Y.shape[1]
    coef = np.full((ncol, m), np.nan)
    err = np.full((ncol, m), np.nan)
    valid = ~np.isnan(Y)
    # Columns with the same missing points share one fit of all of them.
    if valid.all():
        masks, group = valid[:, :1].T, np.zeros(ncol, dtype=int)
    else:
        masks, group = np.unique(valid.T, axis=0, return_inverse=True)
    for g, mask in enumerate(masks):
        cols = np.flatnonzero(group == g)
        n = int(mask.sum())
        if n <= order:
            continue
        if n > m:
            c, cov = np.polyfit(x[mask], Y[mask][:, cols], order, cov=True)
            e = np.sqrt(np.diagonal(cov, axis1=0, axis2=1)) if cov.ndim == 3 else np.sqrt(np.diag(cov))[None, :]
        else:   # as many points as coefficients: an exact fit without errors
            c = np.polyfit(x[mask], Y[mask][:, cols], order)
            e = np.zeros((cols.size, m))
        coef[cols] = c[::-1].T
        err[cols] = e[:, ::-1]
    return coef, err


def apparent_mw(plot, a1):
    return {1: 1 / a1, 2: 1 / a1 ** 2, 3: 1 / np.exp(a1)}[plot]


def apparent_s2(plot, a1, a2):
    return {1: 3 * a2 / a1, 2: 6 * a2 / a1, 3: 3 * a2}[plot]


def evaluate(path, plot, q_order, c_order, smooth):
    conc, q2, K, E = read_records(path)
    y, _ = transform(plot, K, E)
    out = {"plotType": plot, "qOrder": q_order, "cOrder": c_order, "smoothing": bool(smooth and q_order >= 1),
           "weighting": False, "k": float(round_sig(q2[-1] / conc[-1] * 10, 3))}
    nc = conc.size
    conc_coef = np.full((nc, q_order + 1), np.nan)
    conc_err = np.full_like(conc_coef, np.nan)
    line_c0 = line_q0 = None
    if q_order >= 1:
        conc_coef, conc_err = polyfit_columns(q2, y.T, q_order)   # one fit per concentration over q²
    if c_order >= 1:
        ya = y
        if out["smoothing"]:
            # Each concentration's q² polynomial in place of its points.
            smoothed = np.polynomial.polynomial.polyval(q2, conc_coef.T, tensor=True)
            ya = np.where(np.isnan(y) | np.isnan(smoothed), np.nan, smoothed)
        angle_coef, _ = polyfit_columns(conc, ya, c_order)        # one fit per angle over c
        if q_order >= 1:
            line_c0 = polyfit_columns(q2, angle_coef[:, :1], q_order)      # c -> 0 over q²
            line_q0 = polyfit_columns(conc, conc_coef[:, :1], c_order)     # q -> 0 over c
    a1, a2 = conc_coef[:, 0], (conc_coef[:, 1] if q_order >= 1 else np.full(nc, np.nan))
    with np.errstate(invalid="ignore", divide="ignore", over="ignore"):
        mw_app = round_sig(apparent_mw(plot, a1), 3)
        s2_app = apparent_s2(plot, a1, a2)
        rg_app = np.where(s2_app >= 0, np.sqrt(np.abs(s2_app)) * 1e7, np.nan)

    def num(v):
        v = float(v)
        return v if np.isfinite(v) else None

    def fitted(coef, err):
        if coef is None or np.isnan(coef[0]).any():
            return {"coefficients": [], "errors": []}
        return {"coefficients": [float(v) for v in coef[0]], "errors": [float(v) for v in err[0]]}

    out.update({"MwC": None, "MwQ2": None, "RgNm": None, "S2Cm2": None, "A2": None})
    c0 = fitted(*line_c0) if line_c0 else fitted(None, None)
    q0 = fitted(*line_q0) if line_q0 else fitted(None, None)
    if q0["coefficients"]:
        y0c, slope = q0["coefficients"][0], q0["coefficients"][1]
        out["MwC"] = num(apparent_mw(plot, y0c))
        out["A2"] = num({1: slope * 1e-3 / 2, 2: slope * 1e-3 * y0c, 3: np.exp(y0c) * slope * 1e-3 / 2}[plot])
    if c0["coefficients"]:
        y0q, slope = c0["coefficients"][0], c0["coefficients"][1]
        out["MwQ2"] = num(apparent_mw(plot, y0q))
        out["S2Cm2"] = num(apparent_s2(plot, y0q, slope))
        if out["S2Cm2"] is not None and out["S2Cm2"] >= 0:
            out["RgNm"] = num(np.sqrt(out["S2Cm2"]) * 1e7)
    made = ~np.isnan(conc_coef).any(axis=1)
    out["concentrations"] = [
        {"index": i + 1, "cGPerCm3": float(conc[i]),
         "MwApp": num(mw_app[i]) if made[i] else None,
         "RgAppNm": num(rg_app[i]) if made[i] else None,
         "S2AppCm2": num(s2_app[i]) if made[i] else None,
         "coefficients": [float(v) for v in conc_coef[i]] if made[i] else [],
         "errors": [float(v) for v in conc_err[i]] if made[i] else []}
        for i in range(nc)]
    out["lines"] = {"cToZero": c0, "qToZero": q0}
    return out


# ---------------------------------------------------------------------------
# Check against zebstat-batch


def compare(path, ours, peer, tolerance, problems, worst):
    """Every number of the peer against the batch tool's; worst[0] collects
    the largest relative difference. Values the program
    rounds to three digits (MwApp) may differ by one unit of that rounding
    when the unrounded values straddle a rounding boundary."""
    if isinstance(peer, dict):
        for key, value in peer.items():
            if key not in ours:
                problems.append("%s: missing in zebstat-batch's output" % (path + "." + key))
            elif (key == "errors" and value and ours[key] and peer.get("coefficients")
                  and abs(ours[key][0]) < 1e-11 * abs(peer["coefficients"][0])):
                # A fit exact to within the rounding of its data (as the c -> 0
                # line of a smoothed set is, whose points lie on polynomials of
                # its order): the standard errors are rounding noise in both
                # programs, so only the peer's smallness is checked.
                if abs(value[0]) > 1e-9 * abs(peer["coefficients"][0]):
                    problems.append("%s.errors[0]: zebstat %.17g (an exact fit), numpy %.17g"
                                    % (path, ours[key][0], value[0]))
            else:
                compare(path + "." + key, ours[key], value, tolerance, problems, worst)
    elif isinstance(peer, list):
        if not isinstance(ours, list) or len(ours) != len(peer):
            problems.append("%s: %r against %r" % (path, ours, peer))
            return
        for i, (o, p) in enumerate(zip(ours, peer)):
            compare("%s[%d]" % (path, i), o, p, tolerance, problems, worst)
    elif isinstance(peer, bool) or peer is None or isinstance(ours, (bool, str)) or ours is None:
        if ours != peer:
            problems.append("%s: %r against %r" % (path, ours, peer))
    else:
        tol = tolerance * max(abs(ours), abs(peer))
        if path.endswith("MwApp"):
            tol = max(tol, float(round_sig(abs(ours), 3) * 1e-3))
        elif ours != peer:
            worst[0] = max(worst[0], abs(ours - peer) / max(abs(ours), abs(peer)))
        if abs(ours - peer) > tol:
            problems.append("%s: zebstat %.17g, numpy %.17g (relative difference %.2g)"
                            % (path, ours, peer, abs(ours - peer) / max(abs(ours), abs(peer))))


def check(batch, args):
    opts = ["--plot", args.plot, "--q-order", str(args.q_order), "--c-order", str(args.c_order)]
    if args.smooth:
        opts.append("--smooth")
    run = subprocess.run([batch, "eval"] + opts + ["--json", args.file], capture_output=True, text=True)
    if run.returncode != 0:
        print("zebstat-batch failed (%d): %s" % (run.returncode, run.stderr.strip()), file=sys.stderr)
        return 1
    ours = json.loads(run.stdout)
    peer = evaluate(args.file, PLOT_TYPES[args.plot], args.q_order, args.c_order, args.smooth)
    problems = []
    worst = [0.0]
    compare("", ours, peer, args.tolerance, problems, worst)
    label = "%s %s q %d c %d%s" % (os.path.basename(args.file), args.plot, args.q_order, args.c_order,
                                   " smoothed" if args.smooth else "")
    if problems:
        print("numpy peer differs from zebstat-batch (%s):" % label)
        for p in problems[:20]:
            print("  " + p)
        if len(problems) > 20:
            print("  ... and %d more" % (len(problems) - 20))
        return 1
    print("numpy peer agrees with zebstat-batch to %g, largest relative difference %.1e (%s)"
          % (args.tolerance, worst[0], label))
    return 0


def main(argv):
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--plot", choices=sorted(PLOT_TYPES), default="zimm")
    p.add_argument("--q-order", type=int, default=0, choices=range(0, 6))
    p.add_argument("--c-order", type=int, default=0, choices=range(0, 6))
    p.add_argument("--smooth", action="store_true")
    p.add_argument("--check", metavar="BATCH", help="compare with BATCH eval --json")
    p.add_argument("--tolerance", type=float, default=1e-9)
    p.add_argument("file")
    args = p.parse_args(argv)
    try:
        if args.check:
            return check(args.check, args)
        result = evaluate(args.file, PLOT_TYPES[args.plot], args.q_order, args.c_order, args.smooth)
    except OSError as e:
        print("numpy_peer: %s" % e, file=sys.stderr)
        return 1
    json.dump(result, sys.stdout, allow_nan=False)
    sys.stdout.write("\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
