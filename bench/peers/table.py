"""Prints the peer table of run.sh from its raw results and the committed baseline.

  table.py <results> <baseline> <summary-out>

results: lines "<work> <size> ours|peer <ms>" (search: "ours <ms>:<found> ..." one per query)
and "redraw <size> redraw_s=.. limit_s=.. peak_mb=.. idle_mb=..". The medians go to
summary-out in the baseline's format, so that a run on unchanged code can become the baseline:
  contours|load <size> <ours ms> <peer ms>
  search <sets> <ours ms per query, comma-separated> <peer ms>
  redraw <size> <redraw s> <limit s>
  memory <size> <peak MB> <idle MB>
"""

import statistics
import sys
from collections import defaultdict


def read_results(path):
    runs = defaultdict(list)
    for line in open(path):
        f = line.split()
        if not f:
            continue
        if f[0] == "redraw":
            values = dict(item.split("=", 1) for item in f[2:])
            runs[("redraw", int(f[1]), "ours")].append(float(values["redraw_s"]))
            runs[("redraw", int(f[1]), "peer")].append(float(values["limit_s"]))
            runs[("memory", int(f[1]), "ours")].append(float(values["peak_mb"]))
            runs[("memory", int(f[1]), "peer")].append(float(values["idle_mb"]))
        elif f[0] == "search" and f[2] == "ours":
            runs[("search", int(f[1]), "ours")].append([float(q.split(":")[0]) for q in f[3:]])
        else:
            runs[(f[0], int(f[1]), f[2])].append(float(f[3]))
    summary = {}
    for (work, size, side), values in runs.items():
        if isinstance(values[0], list):
            median = [statistics.median(q) for q in zip(*values)]
        else:
            median = statistics.median(values)
        summary.setdefault((work, size), {})[side] = median
    return summary


def read_baseline(path):
    summary = {}
    try:
        lines = open(path).read().splitlines()
    except OSError:
        return summary
    for line in lines:
        f = line.split("#", 1)[0].split()
        if len(f) != 4:
            continue
        ours = [float(v) for v in f[2].split(",")] if f[0] == "search" else float(f[2])
        summary[(f[0], int(f[1]))] = {"ours": ours, "peer": float(f[3])}
    return summary


def write_summary(path, summary):
    with open(path, "w") as out:
        for (work, size), v in sorted(summary.items()):
            if "ours" not in v or "peer" not in v:
                continue
            ours = v["ours"]
            text = ",".join("%.4g" % q for q in ours) if isinstance(ours, list) else "%.4g" % ours
            out.write("%s %d %s %.4g\n" % (work, size, text, v["peer"]))


def num(v):
    return "%.3g" % v if v < 100 else "%.0f" % v


def sizes_of(summary, work):
    return sorted(size for (w, size) in summary if w == work)


def joined(summary, work, sizes, pick, unit):
    values = []
    for size in sizes:
        v = summary.get((work, size))
        values.append(num(pick(v)) if v else "n/a")
    return " / ".join(values) + unit


def ratios(summary, work, sizes, faster):
    out = []
    for size in sizes:
        v = summary.get((work, size))
        if not v or "ours" not in v or "peer" not in v:
            out.append(None)
        else:
            out.append(v["peer"] / v["ours"] if faster else v["ours"] / v["peer"])
    return out


def ratio_text(values):
    return " / ".join("n/a" if r is None else "%.2g" % r if r < 10 else "%.0f" % r for r in values)


def main():
    results, baseline_path, summary_path = sys.argv[1:4]
    now = read_results(results)
    base = read_baseline(baseline_path)
    write_summary(summary_path, now)

    sizes = sorted(set(sizes_of(now, "contours")) | set(sizes_of(base, "contours")))
    rows = []
    for work, title, peer_name, faster, goal in [
        ("contours", "30 filled bands, no drawing", "matplotlib's triangle contour generator "
         "on the same triangles and levels", True, 3.0),
        ("load", "loading a data set", "pandas.read_csv of its cp.dat alone", True, 3.0),
    ]:
        r_base = ratios(base, work, sizes, faster)
        r_now = ratios(now, work, sizes, faster)
        met = all(r is not None and r >= goal for r in r_now)
        rows.append([title,
                     joined(base, work, sizes, lambda v: v["ours"], " ms"),
                     joined(now, work, sizes, lambda v: v["ours"], " ms"),
                     peer_name + ": " + joined(now, work, sizes, lambda v: v["peer"], " ms"),
                     ratio_text(r_base) + " x faster",
                     ratio_text(r_now) + " x faster",
                     ">= %g x faster at every size" % goal,
                     "yes" if met else "no"])

    def search_row(summary):
        v = summary.get(("search", 1000))
        if not v or "ours" not in v:
            return "n/a", "n/a", "n/a", None
        lo, hi = min(v["ours"]), max(v["ours"])
        return ("%s-%s ms" % (num(lo), num(hi)), "%s ms" % num(v["peer"]),
                "%.2g-%.2g x" % (lo / v["peer"], hi / v["peer"]), hi / v["peer"])

    b_text, _, b_ratio, _ = search_row(base)
    n_text, n_peer, n_ratio, n_worst = search_row(now)
    rows.append(["data search, 1 000 data sets (3 queries)", b_text, n_text,
                 "reading their 1 000 header files: " + n_peer, b_ratio, n_ratio, "<= 2 x",
                 "yes" if n_worst is not None and n_worst <= 2.0 else "no"])

    r_base = ratios(base, "redraw", sizes, False)
    r_now = ratios(now, "redraw", sizes, False)
    rows.append(["one full redraw, every layer",
                 joined(base, "redraw", sizes, lambda v: v["ours"], " s"),
                 joined(now, "redraw", sizes, lambda v: v["ours"], " s"),
                 "the same final primitives drawn from prebuilt arrays: " +
                 joined(now, "redraw", sizes, lambda v: v["peer"], " s"),
                 ratio_text(r_base) + " x slower", ratio_text(r_now) + " x slower", "<= 1.3 x",
                 "yes" if all(r is not None and r <= 1.3 for r in r_now) else "no"])

    largest = sizes[-1] if sizes else 80000
    mb = now.get(("memory", largest))
    mb_base = base.get(("memory", largest))
    rows.append(["program memory, %s taps" % format(largest, ",").replace(",", " "),
                 "%s MB peak (idle %s MB)" % (num(mb_base["ours"]), num(mb_base["peer"]))
                 if mb_base else "n/a",
                 "%s MB peak" % num(mb["ours"]) if mb else "n/a",
                 "program idle: %s MB" % num(mb["peer"]) if mb else "program idle: n/a",
                 "-", "-", "<= 250 MB",
                 "yes" if mb and mb["ours"] <= 250 else "no"])

    print("Sizes: %s taps, %d directions; medians of interleaved repeats."
          % (" / ".join(format(s, ",").replace(",", " ") for s in sizes), 32))
    print()
    print("| Work | Today | Now | Compared with | Ratio today | Ratio now | Goal | Met |")
    print("|---|---|---|---|---|---|---|---|")
    for row in rows:
        print("| " + " | ".join(row) + " |")


if __name__ == "__main__":
    main()
