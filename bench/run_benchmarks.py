#!/usr/bin/env python3
"""Runs the benchmarks side by side and prints one Markdown table.

  bench/run_benchmarks.py [--native BUILD] [--windows BUILD] [--repetitions N]

--native is a native Release tree with bench/game_bench built; --windows a
cross tree with render_bench.exe and the start-up programs built (run under
Wine with the prefix of cmake/wine-run.sh). Either part is skipped when its
programs are missing. Figures are medians of the repetitions, CPU time for
the native rows (wall time is meaningless on a loaded machine).
"""
import argparse
import json
import os
import platform
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
GOALS = {"step(1/60), 64 balls, 20 strokes": "at most 50 us", "smoke pass, all 551 boards": "at most 50 ms"}


def machine():
    cpu = "unknown CPU"
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    cpu = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    load = os.getloadavg()[0] if hasattr(os, "getloadavg") else float("nan")
    return f"{cpu}, {os.cpu_count()} cores, {platform.system()} {platform.release()}, load average {load:.1f} at the start"


def native_rows(build, repetitions):
    exe = os.path.join(build, "bench", "game_bench")
    if not os.path.exists(exe):
        return [("native benchmarks", "not built", "")]
    out = subprocess.run([exe, f"--benchmark_repetitions={repetitions}", "--benchmark_report_aggregates_only=true",
                          "--benchmark_format=json"], check=True, stdout=subprocess.PIPE).stdout
    rows = []
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        name, unit, cpu = b["run_name"], b["time_unit"], b["cpu_time"]
        m = re.match(r"BM_StepFrame/balls:(\d+)/strokes:(\d+)", name)
        if m:
            balls = "1 ball" if m.group(1) == "1" else f"{m.group(1)} balls"
            label = f"step(1/60), {balls}, {m.group(2)} strokes"
            hits = round(b.get("inkHits", 0))
            extra = f" ({hits} ink hit{'' if hits == 1 else 's'})"
        else:
            label = {"BM_SmokeAllBoards": "smoke pass, all 551 boards", "BM_GameCopy": "`Game` copy (board 420 in play)",
                     "BM_LevelParse": "level resource parse (551 boards)"}.get(name, name)
            extra = ""
        rows.append((label, f"{cpu:.1f} {unit}{extra}", GOALS.get(label, "")))
    return rows


def windows_rows(build):
    rows = []
    env = dict(os.environ, DISPLAY="")
    render = os.path.join(build, "bench", "render_bench", "render_bench.exe")
    if os.path.exists(render):
        out = subprocess.run([os.path.join(ROOT, "cmake", "wine-run.sh"), render], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, env=env).stdout.decode(errors="replace")
        for line in out.splitlines():
            m = re.match(r"(.+?)\s+median\s+([\d.]+) us", line)
            if m:
                rows.append((m.group(1).strip() + " (Wine)", f"{m.group(2)} us", ""))
    else:
        rows.append(("render and present under Wine", "not built", ""))
    compare = os.path.join(ROOT, "bench", "startup", "compare.sh")
    if os.path.exists(os.path.join(build, "app", "corvale.exe")):
        out = subprocess.run(["sh", compare, build, "9"], stdout=subprocess.PIPE, env=env).stdout.decode()
        for line in out.splitlines():
            if ":" in line:
                what, value = line.split(":", 1)
                goal = "at most 1.5" if what.startswith("ratio smoke") else ""
                rows.append((what.strip() + " (Wine)", value.strip(), goal))
    else:
        rows.append(("`corvale.exe --smoke-test` against an empty program under Wine", "not built", ""))
    return rows


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--native", default=os.path.join(ROOT, "build", "native"))
    ap.add_argument("--windows", default=os.path.join(ROOT, "build", "windows"))
    ap.add_argument("--repetitions", type=int, default=5)
    args = ap.parse_args()
    rows = native_rows(args.native, args.repetitions) + windows_rows(args.windows)
    print(f"Machine: {machine()}.\n")
    print("| What | Median | Goal |")
    print("|---|---|---|")
    for what, value, goal in rows:
        print(f"| {what} | {value} | {goal} |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
