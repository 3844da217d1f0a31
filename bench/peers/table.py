"""Prints the peer table of run.sh from its raw results and the committed baseline.

  table.py <results> <baseline> <summary-out>

results: lines "<work> <size> ours|peer <ms>" (work contours, load; fromchars has peer only;
search: "ours <ms>:<found> ..." one per query), "heap <size> data_mb=.. heap_peak_mb=.. ..."
and "redraw <size> redraw_s=.. limit_s=.. default_s=.. tris_s=.. rss1_mb=.. ...". The medians
go to summary-out in the baseline's format, so that a run on unchanged code can become the
baseline; one line "<work> <size> <ours> <peer>" each:
  contours|load <size> <ours ms> <peer ms>      fromchars <size> <load ms> <from_chars ms>
  search <sets> <ours ms per query, comma-separated> <peer ms>
  heap <size> <peak heap MB> <data set MB>
  frame <size> <every layer s> <triangles s>    default <size> <default layers s> <triangles s>
  redraw <size> <every layer s> <replay s>      rss <size> <MB after frame 1,step,frame 2> <idle MB>
  step <size> <direction step s> <contour computation + default frame s>
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
            n = int(f[1])
            v = dict(item.split("=", 1) for item in f[2:])
            runs[("frame", n, "ours")].append(float(v["redraw_s"]))
            if "tris_s" in v:
                runs[("frame", n, "peer")].append(float(v["tris_s"]))
                runs[("default", n, "ours")].append(float(v["default_s"]))
                runs[("default", n, "peer")].append(float(v["tris_s"]))
                runs[("rss", n, "ours")].append(
                    [float(v["rss1_mb"]), float(v["rss2_mb"]), float(v["rss3_mb"])])
                runs[("rss", n, "peer")].append(float(v["idle_mb"]))
            if "step_s" in v:
                runs[("step", n, "ours")].append(float(v["step_s"]))
                runs[("step", n, "peer")].append(float(v["contours_s"]) + float(v["default_s"]))
            if float(v["limit_s"]) > 0:
                runs[("redraw", n, "ours")].append(float(v["redraw_s"]))
                runs[("redraw", n, "peer")].append(float(v["limit_s"]))
        elif f[0] == "heap":
            v = dict(item.split("=", 1) for item in f[2:])
            runs[("heap", int(f[1]), "ours")].append(float(v["heap_peak_mb"]))
            runs[("heap", int(f[1]), "peer")].append(float(v["data_mb"]))
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
    # The load against the from_chars limit: both figures of the same rounds.
    for (work, size), v in list(summary.items()):
        if work == "fromchars" and ("load", size) in summary:
            v["ours"] = summary[("load", size)].get("ours")
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
        ours = [float(v) for v in f[2].split(",")] if "," in f[2] or f[0] in ("search", "rss") \
            else float(f[2])
        summary[(f[0], int(f[1]))] = {"ours": ours, "peer": float(f[3])}
    return summary


def write_summary(path, summary):
    with open(path, "w") as out:
        for (work, size), v in sorted(summary.items()):
            if v.get("ours") is None or v.get("peer") is None:
                continue
            ours = v["ours"]
            text = ",".join("%.4g" % q for q in ours) if isinstance(ours, list) else "%.4g" % ours
            out.write("%s %d %s %.4g\n" % (work, size, text, v["peer"]))


def num(v):
    return "%.3g" % v if v < 100 else "%.0f" % v


def size_text(n):
    return format(n, ",").replace(",", " ")


def sizes_of(summary, work):
    return sorted(size for (w, size) in summary if w == work)


def joined(summary, work, sizes, pick, unit):
    values = []
    for size in sizes:
        v = summary.get((work, size))
        x = pick(v) if v else None
        values.append(num(x) if x is not None else "n/a")
    return " / ".join(values) + unit


def ratio(v, faster):
    if not v or v.get("ours") is None or v.get("peer") is None:
        return None
    ours = max(v["ours"]) if isinstance(v["ours"], list) else v["ours"]
    return v["peer"] / ours if faster else ours / v["peer"]


def ratio_text(values):
    return " / ".join("n/a" if r is None else "%.2g" % r if r < 10 else "%.0f" % r for r in values)


def main():
    results, baseline_path, summary_path = sys.argv[1:4]
    now = read_results(results)
    base = read_baseline(baseline_path)
    write_summary(summary_path, now)

    sizes = sorted(set(sizes_of(now, "contours")) | set(sizes_of(base, "contours")))
    rows = []

    def row(work, title, peer_name, faster, goal, goal_text, unit=" ms", scale=1.0, pick=None,
            row_sizes=None):
        rs = row_sizes or sizes
        pick = pick or (lambda v: v.get("ours") if not isinstance(v.get("ours"), list)
                        else max(v["ours"]))
        r_base = [ratio(base.get((work, s)), faster) for s in rs]
        r_now = [ratio(now.get((work, s)), faster) for s in rs]
        met = all(r is not None and (r >= goal if faster else r <= goal) for r in r_now)
        rows.append([title,
                     joined(base, work, rs, pick, unit),
                     joined(now, work, rs, pick, unit),
                     peer_name + ": " + joined(now, work, rs, lambda v: v.get("peer"), unit),
                     ratio_text(r_base) + (" x faster" if faster else " x"),
                     ratio_text(r_now) + (" x faster" if faster else " x"),
                     goal_text, "yes" if met else "no"])

    row("contours", "30 filled bands, no drawing (ms per direction)",
        "matplotlib's triangle contour generator on the same triangles and levels", True, 10,
        ">= 10 x faster at every size")
    row("load", "loading a data set (every file)",
        "pandas.read_csv of every number file it reads", True, 5, ">= 5 x faster at every size")
    row("fromchars", "loading a data set (every file)",
        "reading those files and converting every number with std::from_chars, one thread",
        False, 1.5, "<= 1.5 x the from_chars reading")
    search_sizes = sorted(set(sizes_of(now, "search")) | set(sizes_of(base, "search")))
    row("search", "data search, 3 queries (the slowest shown)",
        "reading the data sets' header files", False, 1.5, "<= 1.5 x", row_sizes=search_sizes)
    row("default", "camera-drag frame, default layers (s)",
        "the mesh's triangles once from vertex arrays, one colour per corner", False, 2.0,
        "<= 2 x the triangles", unit=" s")
    row("frame", "camera-drag frame, every layer (s)", "the same triangles", False, 4.0,
        "<= 4 x the triangles", unit=" s")
    row("step", "direction step, default layers: next direction's contours and its frame (s)",
        "the contour computation alone plus one drag frame", False, 1.0,
        "<= the computation + one frame", unit=" s")
    row("redraw", "camera-drag frame, every layer (s)",
        "the same frame's recorded primitives replayed from prebuilt arrays", False, 1.3,
        "<= 1.3 x (up to 80 000 taps)", unit=" s",
        row_sizes=[s for s in sizes if s <= 80000])

    # The heap: peak of the core work against twice the data set plus 30 MB.
    def heap_goal(v):
        return 2 * v["peer"] + 30 if v else None

    heap_met = all((now.get(("heap", s)) or {}).get("ours") is not None and
                   now[("heap", s)]["ours"] <= heap_goal(now[("heap", s)]) for s in sizes)
    rows.append(["program heap: load, two directions' contours, 10 000 listed taps (peak MB)",
                 joined(base, "heap", sizes, lambda v: v["ours"], " MB"),
                 joined(now, "heap", sizes, lambda v: v["ours"], " MB"),
                 "the data set's numbers as kept: " +
                 joined(now, "heap", sizes, lambda v: v["peer"], " MB"),
                 "-", "-", "<= 2 x data + 30 MB: " +
                 joined(now, "heap", sizes, heap_goal, " MB"), "yes" if heap_met else "no"])
    def rss_text(summary):
        return " / ".join("%s: %s" % (size_text(s), ", ".join(num(x) for x in
                                                         summary[("rss", s)]["ours"]))
                          if ("rss", s) in summary else "n/a" for s in sizes)

    rows.append(["whole process resident after frame 1, a direction step, frame 2; every "
                 "layer (MB)", rss_text(base), rss_text(now),
                 "idle: " + joined(now, "rss", sizes, lambda v: v["peer"], " MB"),
                 "-", "-", "reported", "-"])

    print("Sizes: %s taps, 32 directions; search: %s data sets; medians of interleaved "
          "repeats." % (" / ".join(size_text(s) for s in sizes),
                        " / ".join(size_text(s) for s in search_sizes)))
    print()
    print("| Work | Today | Now | Compared with (now) | Ratio today | Ratio now | Goal | Met |")
    print("|---|---|---|---|---|---|---|---|")
    for r in rows:
        print("| " + " | ".join(r) + " |")


if __name__ == "__main__":
    main()
