#!/usr/bin/env python3
"""Prints one table of benchmark medians from Google Benchmark JSON files."""
import json
import sys

REF_SUFFIXES = ("_Reference", "_Transcription")


ANCHORED = "vs/"


def print_anchored(rows):
    """Rows "vs/<kernel>/<who>[/arg]": per kernel the project's median, then every other entry
    with its median and that median over the project's (above 1: the project is faster); the
    project over memcpy of the output is its distance from the memory limit."""
    kernels = {}
    for name, r in rows.items():
        parts = name.split("/")
        kernels.setdefault(parts[1], {})[parts[2]] = r["median_us"]
    if not kernels:
        return
    print(f"{'kernel / compared with':<48} {'median':>12} {'÷ project':>10}")
    for kernel, entries in sorted(kernels.items()):
        project = entries.get("project")
        if project is None:
            print(f"{kernel:<48} {'(no result)':>12}")
            continue
        memcpy = entries.get("memcpy")
        limit = f"  {project / memcpy:.1f}x memcpy" if memcpy else ""
        print(f"{kernel:<48} {project:>9.1f} us{'':>10}{limit}")
        for who, median in sorted(entries.items()):
            if who != "project":
                print(f"  {who:<46} {median:>9.1f} us {median / project:>9.2f}")
    print()


def unit_us(value, unit):
    return value * {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[unit]


def main(paths):
    rows = {}
    for path in paths:
        with open(path) as f:
            data = json.load(f)
        for b in data.get("benchmarks", []):
            if b.get("aggregate_name") != "median":
                continue
            name = b["run_name"]
            # Anchored host rows by the thread's CPU time (other processes share the cores);
            # the Wine harness's CPU clock is too coarse, so its rows keep the wall clock.
            clock = "cpu_time" if name.startswith(ANCHORED) and "@wine" not in name else "real_time"
            rows[name] = {
                "median_us": unit_us(b[clock], b["time_unit"]),
                "target_us": b.get("target_us"),
                "items": b.get("items_per_second"),
            }
    anchored = {n: r for n, r in rows.items() if n.startswith(ANCHORED)}
    rows = {n: r for n, r in rows.items() if not n.startswith(ANCHORED)}
    print_anchored(anchored)
    print(f"{'benchmark':<56} {'median':>12} {'target':>10} {'ratio':>8}")
    for name, r in sorted(rows.items()):
        if name.split("/")[0].endswith(REF_SUFFIXES):
            continue
        ratio = ""
        base, _, rest = name.partition("/")
        for suffix in REF_SUFFIXES:
            ref = rows.get(base + suffix + ("/" + rest if rest else ""))
            if ref:
                ratio = f"{ref['median_us'] / r['median_us']:.1f}x"
        if not ratio:  # "<group>/<name>/<case>" against "<group>/transcription/<case>"
            parts = name.split("/")
            for i, part in enumerate(parts[1:], 1):
                ref = rows.get("/".join(parts[:i] + ["transcription"] + parts[i + 1:]))
                if ref and part != "transcription":
                    ratio = f"{ref['median_us'] / r['median_us']:.1f}x"
        target = f"{r['target_us']:.0f} us" if r["target_us"] else ""
        print(f"{name:<56} {r['median_us']:>9.1f} us {target:>10} {ratio:>8}")
        for suffix in REF_SUFFIXES:
            ref_name = base + suffix + ("/" + rest if rest else "")
            if ref_name in rows:
                print(f"  {ref_name:<54} {rows[ref_name]['median_us']:>9.1f} us")


if __name__ == "__main__":
    main(sys.argv[1:])
