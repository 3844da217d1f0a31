"""The peers KZ_V's timings are compared with; each prints the median in milliseconds.

  peers.py contours <dir> <runs> [k]
                                   matplotlib's triangle contour generator: for every direction
                                   (with k: k directions spread over the circle, the ones
                                   kzv_peer_bench times) a generator on that direction's values
                                   and the filled contour of each of the 30 bands (ms per
                                   direction); <dir> holds what `kzv_peer_bench export-tri`
                                   wrote
  peers.py load <dir> <runs>       pandas.read_csv of the records of every file a load reads
                                   numbers from (the Cp table and the value tables beside it,
                                   measure.pos, mesh.msh)
  peers.py headers <root> <runs>   reading every data set's header file (paths listed first)
"""

import os
import statistics
import sys
import time


def median_ms(runs, work):
    work()  # once untimed: imports, caches, lazy set-up
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        work()
        times.append((time.perf_counter() - start) * 1000.0)
    return statistics.median(times)


def contours(folder, runs, timed=0):
    import numpy as np
    from matplotlib import _tri
    from matplotlib.tri import Triangulation

    with open(os.path.join(folder, "shape.txt")) as f:
        nverts, ntris, ndirs, nlevels = (int(v) for v in f.read().split())
    xy = np.fromfile(os.path.join(folder, "xy.f64"), dtype=np.float64).reshape(nverts, 2)
    tris = np.fromfile(os.path.join(folder, "triangles.i32"), dtype=np.int32).reshape(ntris, 3)
    values = np.fromfile(os.path.join(folder, "values.f64"), dtype=np.float64).reshape(ndirs, nverts)
    levels = np.fromfile(os.path.join(folder, "levels.f64"), dtype=np.float64)
    assert len(levels) == nlevels
    cpp = Triangulation(xy[:, 0], xy[:, 1], tris).get_cpp_triangulation()
    bands = list(zip(levels[:-1], levels[1:]))
    step = max(1, ndirs // timed) if timed > 0 else 1
    directions = range(0, ndirs, step)

    def work():
        for d in directions:
            generator = _tri.TriContourGenerator(cpp, values[d])
            for lower, upper in bands:
                generator.create_filled_contour(lower, upper)

    return median_ms(runs, work) / len(directions)


NUMBER_FILES = ["cp.dat", "cpmax.dat", "cpmin.dat", "cprms.dat", "cppeakmax.dat",
                "cppeakmin.dat", "measure.pos", "mesh.msh"]


def load(folder, runs):
    import pandas as pd

    # The records lie between the header lines (a tag line, for a table its direction count,
    # then any comment lines) and "EOF".
    files = []
    for name in NUMBER_FILES:
        path = os.path.join(folder, name)
        if not os.path.exists(path):
            continue
        with open(path, "rb") as f:
            lines = f.read().split(b"\n")
        skip = 2 if name.endswith(".dat") else 1
        while lines[skip].startswith(b"#"):
            skip += 1
        records = sum(1 for line in lines[skip:] if line and line[:1] not in (b"#", b"E"))
        files.append((path, skip, records))

    def work():
        for path, skip, records in files:
            pd.read_csv(path, header=None, skiprows=skip, nrows=records)

    return median_ms(runs, work)


def headers(root, runs):
    paths = []
    for folder in sorted(os.listdir(root)):
        for name in sorted(os.listdir(os.path.join(root, folder))):
            paths.append(os.path.join(root, folder, name, "header"))

    def work():
        for path in paths:
            with open(path, "rb") as f:
                f.read()

    return median_ms(runs, work)


def main():
    mode, target, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    if mode == "contours":
        print("%.6f" % contours(target, runs, int(sys.argv[4]) if len(sys.argv) > 4 else 0))
        return
    work = {"load": load, "headers": headers}[mode]
    print("%.6f" % work(target, runs))


if __name__ == "__main__":
    main()
