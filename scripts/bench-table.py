"""Prints the benchmark goals as a table from Google Benchmark's JSON output:
figure, baseline (measured in the same run), ratio, goal, met or not. Each
figure is the median of the repetitions, with their min and max."""
import json
import sys


def load(path):
    runs = {}
    for b in json.load(open(path))["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        runs.setdefault(b["run_name"], []).append(b)
    return runs


def stats(runs, name, field="real_time"):
    values = sorted(r[field] if field in r else r.get("counters", {}).get(field) for r in runs[name])
    return values[0], values[len(values) // 2], values[-1]


def ms(b):
    return {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]


def time_ms(runs, name):
    unit = ms(runs[name][0])
    lo, mid, hi = stats(runs, name)
    return lo * unit, mid * unit, hi * unit


def main():
    runs = load(sys.argv[1])
    sizes = sorted({int(n.split("/")[1]) for n in runs if n.startswith("BM_SqliteStepFloor/")})
    rows = []

    # A goal of None: the figure is shown, with no goal to meet.
    def ratio(figure, base, goal, label):
        if figure in runs and base in runs:
            f, b = time_ms(runs, figure), time_ms(runs, base)
            r = f[1] / b[1]
            rows.append((label, f, b[1], r, f"<= {goal}x" if goal else "-",
                         r <= goal if goal else None))

    def absolute(figure, goal_ms, label):
        if figure in runs:
            f = time_ms(runs, figure)
            rows.append((label, f, None, None, f"<= {goal_ms} ms", f[1] <= goal_ms))

    def counter(figure, field, goal, label):
        if figure in runs:
            lo, mid, hi = stats(runs, figure, field)
            rows.append((label + f" ({field})", (lo, mid, hi), None, None,
                         f"<= {goal}" if goal is not None else "-",
                         mid <= goal if goal is not None else None))

    for n in sizes:
        floor = f"BM_SqliteStepFloor/{n}"
        # At 10,000 rows opening the connection weighs as much as the rows.
        ratio(f"BM_OpenRecordset/{n}", floor, 1.3 if n >= 1000000 else None,
              f"open {n} rows vs step floor")
        ratio(f"BM_BindControl/{n}", floor, 2.0, f"bind {n} rows vs step floor")
        counter(f"BM_OpenRecordset/{n}", "bytes_per_row", 62, f"memory at open, {n} rows")
        absolute(f"BM_FirstKeyAfterBind/{n}/iterations:5/manual_time", 1.0, f"first key after bind, {n} rows")
        for case in ("miss", "late"):
            absolute(f"BM_KeyBeforeIndex/{case}/{n}/iterations:5/manual_time", 1.0,
                     f"key before the key index ({case}), {n} rows")
        for case in ("miss", "late", "back"):
            absolute(f"BM_KeyToText/{case}/{n}", 1.0, f"key to text ({case}), {n} rows")
        miss = f"BM_KeyToText/miss/{n}"
        # The memory goals are per row of a large table: at 10,000 rows the
        # process's fixed costs weigh as much as the rows.
        large = n >= 1000000
        counter(miss, "rss_bound_per_row", 100 if large else None,
                f"memory after binding, {n} rows")
        counter(miss, "rss_indexed_per_row", 100 if large else None,
                f"memory with the key index, {n} rows")
        if miss in runs:
            peak = stats(runs, miss, "rss_peak_per_row")
            steady = stats(runs, miss, "rss_indexed_per_row")[1]
            # A few thousand rows may not move the resident set at all.
            if steady > 0:
                r = peak[1] / steady
                rows.append((f"peak memory vs steady, {n} rows", peak, steady, r,
                             "<= 1.3x" if large else "-", r <= 1.3 if large else None))
    for name in ("BM_SizeList", "BM_OpenList", "BM_OpenAndPick", "BM_HoverSameRow",
                 "BM_HoverNextRow", "BM_HoverNextRowPaint"):
        ratio(f"{name}/1000000", f"{name}/100", 1.5, f"{name} 1M vs 100 rows")
        ratio(f"{name}/10000000", f"{name}/100", 1.5, f"{name} 10M vs 100 rows")
    counter("BM_HoverSameRow/1000000", "repaints_per_move", 0, "hover within a row")
    absolute("BM_KeyToFrame/1000000", 8.0, "key to frame presented, 1M rows")
    counter("BM_KeyToFrame/1000000", "p90_ms", 0.3, "key to pixels p90 ms (cpu), 1M")
    counter("BM_KeyToFrame/1000000", "p90_wall_ms", 0.3, "key to pixels p90 ms (wall), 1M")
    counter("BM_KeyToFrameUnseenRows/1000000", "p90_ms", 0.3,
            "key to pixels, rows never drawn, p90 ms (cpu), 1M")
    counter("BM_HoverSameRowPaint/1000000", "pixels_per_move", 0, "hover within a row, painted")
    absolute("BM_HoverNextRowPaint/1000000", 0.1, "hover to the next row, painted, 1M rows")
    counter("BM_IdleWait", "frames", 0, "frames while idle")

    print(f"{'figure':44} {'min':>10} {'median':>10} {'max':>10} {'baseline':>10} {'ratio':>7}  {'goal':12} met")
    for label, (lo, mid, hi), base, r, goal, met in rows:
        b = f"{base:10.3f}" if base is not None else f"{'':10}"
        q = f"{r:7.2f}" if r is not None else f"{'':7}"
        print(f"{label:44} {lo:10.3f} {mid:10.3f} {hi:10.3f} {b} {q}  {goal:12} {'-' if met is None else 'yes' if met else 'NO'}")
    print("(times in ms; baselines are medians measured in the same run)")


main()
