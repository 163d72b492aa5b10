#!/usr/bin/env python3
"""Runs the benchmarks side by side and prints one Markdown table.

  bench/run_benchmarks.py [--native BUILD] [--windows BUILD] [--repetitions N] [--launches N]

--native is a native Release tree with bench/game_bench and tools/corvale-solve
built; --windows a cross tree with render_bench.exe, corvale.exe and the
start-up programs of bench/startup built (run under Wine with the prefix of
cmake/wine-run.sh; the first painted frame on an Xvfb of its own). A part is
skipped when its programs are missing. Figures are medians of the
repetitions: CPU time for the native rows (wall time is meaningless on a
loaded machine), wall time for the Wine rows, whose programs start
alternately with their baselines so that the load hits both alike.
"""
import argparse
import json
import os
import platform
import re
import resource
import statistics
import subprocess
import sys
import time

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


def wine_env(display=""):
    env = dict(os.environ, DISPLAY=display)
    env.setdefault("WINEPREFIX", os.path.join(ROOT, "build", "wineprefix"))
    env.setdefault("WINEDEBUG", "-all")
    env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=")
    return env


def wine(args, env):
    return subprocess.run(["wine"] + args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def stop_wineserver():
    """Wine keeps the display its server started with: a server started without
    one cannot open windows later, so each part starts with a server of its own."""
    env = wine_env()
    subprocess.run(["wineserver", "-k"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class VirtualDisplay:
    """An Xvfb of our own on the first free display from :91, as test.sh starts one."""

    def __enter__(self):
        stop_wineserver()
        n = 91
        while os.path.exists(f"/tmp/.X{n}-lock") or os.path.exists(f"/tmp/.X11-unix/X{n}"):
            n += 1
        self.process = subprocess.Popen(["Xvfb", f":{n}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(50):
            if os.path.exists(f"/tmp/.X11-unix/X{n}"):
                break
            time.sleep(0.1)
        self.display = f":{n}"
        return self

    def __exit__(self, *_):
        stop_wineserver()
        self.process.terminate()
        self.process.wait()


def render_rows(build, repetitions):
    """render_bench.exe prints the median of ten batches; we take the median of its runs."""
    exe = os.path.join(build, "bench", "render_bench", "render_bench.exe")
    if not os.path.exists(exe):
        return [("render and present under Wine", "not built", "")]
    runs = {}
    for _ in range(repetitions):
        out = wine([exe], wine_env()).stdout.decode(errors="replace")
        for line in out.splitlines():
            m = re.match(r"(.+?)\s+median\s+([\d.]+) us", line)
            if m:
                runs.setdefault(m.group(1).strip(), []).append(float(m.group(2)))
    goals = {"render, typical frame": "at most 1000 us", "present 1x after a new frame": "at most 1000 us"}
    return [(f"`{name}` (Wine, memory contexts)", f"{statistics.median(v):.0f} us", goals.get(name, ""))
            for name, v in runs.items()]


def launch_times(build, runs, mode, programs, display=""):
    """(median, min, max) in ms of each program, started in turn by launch_timer.exe inside Wine."""
    timer = os.path.join(build, "bench", "startup", "launch_timer.exe")
    out = wine([timer, str(runs), mode] + [arg for program in programs for arg in program], wine_env(display))
    figures = []
    for line in out.stdout.decode(errors="replace").splitlines():
        parts = line.split()
        if len(parts) == 4 and len(parts[0]) == 1:
            figures.append([float(x) for x in parts[1:]])
    if out.returncode == 0 and len(figures) == len(programs):
        return figures
    # launch_timer names the program that failed; Wine's own chatter is left out.
    for line in out.stderr.decode(errors="replace").splitlines():
        if line.endswith(" failed"):
            print(f"launch_timer: {line}", file=sys.stderr)
    return None


def startup_rows(build, runs):
    game = os.path.join(build, "app", "corvale.exe")
    startup = os.path.join(build, "bench", "startup")
    if not all(os.path.exists(p) for p in (game, os.path.join(startup, "launch_timer.exe"))):
        return [("start-up against the baselines under Wine", "not built", "")]
    rows = []

    def add(what, names, figures, goal):
        if figures is None:
            rows.append((what, "failed", goal))
            return
        for name, (median, low, high) in zip(names, figures):
            rows.append((name, f"{median:.0f} ms (range {low:.0f}-{high:.0f})", ""))
        rows.append((f"ratio, {what}", f"{figures[0][0] / figures[1][0]:.2f}", goal))

    stop_wineserver()
    # The same work with pieces left out, started in the same rounds, shows
    # what the 551 boards' steps and renders add to the set-up alone.
    breakdown = windows_path(os.path.join(startup, "smoke_breakdown.exe"))
    smoke = launch_times(build, runs, "exit", [[windows_path(game) + " --smoke-test"],
                                               [windows_path(os.path.join(startup, "smoke_baseline.exe"))],
                                               [breakdown + " run no-render"],
                                               [breakdown + " run set-up-only"]])
    add("`--smoke-test` / baseline",
        ["`corvale.exe --smoke-test`, start to exit (Wine)",
         "baseline: same libraries and manifest, one memory DC, one 544 x 586 DIB section, one AlphaBlend",
         "the smoke test's work without the 551 renders (`smoke_breakdown.exe run no-render`)",
         "its set-up alone: levels, `Game`, `Renderer`, 551 `startLevel`, one render (`run set-up-only`)"],
        smoke, "at most 1.5")
    if smoke is not None:
        rows.append(("ratio, set-up alone / baseline", f"{smoke[3][0] / smoke[1][0]:.2f}", ""))
    empty = windows_path(os.path.join(startup, "empty_window.exe"))
    with VirtualDisplay() as screen:
        paint = launch_times(build, runs, "paint",
                             [["Corvale.Reconstructed.Window", windows_path(game)],
                              ["Corvale.Bench.EmptyWindow", empty],
                              ["Corvale.Bench.EmptyWindow", empty + " --menu"]], screen.display)
    add("first painted frame / empty window",
        ["`corvale.exe` window, start to first painted frame (Wine, Xvfb)",
         "baseline: an empty window of the same size and style, start to first paint",
         "the empty window with a one-item menu bar (Wine's font set-up)"], paint, "at most 1.5")
    if paint is not None:
        rows.append(("ratio, first painted frame / empty window with a menu bar",
                     f"{paint[0][0] / paint[2][0]:.2f}", ""))
    return rows


def solver_rows(build, repetitions, step):
    """Boards per minute over every step-th board, one thread, seed 1."""
    exe = os.path.join(build, "tools", "corvale-solve")
    if not os.path.exists(exe):
        return [("solver, boards per minute", "not built", "")]
    boards = ",".join(str(b) for b in range(0, 551, step))
    count = len(range(0, 551, step))
    per_cpu, per_wall = [], []
    for _ in range(repetitions):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.monotonic()
        subprocess.run([exe, "--levels", os.path.join(ROOT, "resources", "levels.bin"), "--boards", boards,
                        "--seeds", "1", "--threads", "1", "--quiet"], check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, cwd=ROOT)
        wall = time.monotonic() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        per_cpu.append(60.0 * count / cpu)
        per_wall.append(60.0 * count / wall)
    return [(f"solver, boards per minute ({count} boards: every {step}th from 0, seed 1, one thread)",
             f"{statistics.median(per_cpu):.0f} per CPU minute ({statistics.median(per_wall):.0f} per wall minute)",
             "")]


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--native", default=os.path.join(ROOT, "build", "native"))
    ap.add_argument("--windows", default=os.path.join(ROOT, "build", "windows"))
    ap.add_argument("--repetitions", type=int, default=5)
    ap.add_argument("--solver-step", type=int, default=25, help="the solver plays every N-th board")
    ap.add_argument("--solver-repetitions", type=int, default=3)
    ap.add_argument("--launches", type=int, default=25, help="starts of each program for the start-up rows")
    args = ap.parse_args()
    rows = native_rows(args.native, args.repetitions) + solver_rows(args.native, args.solver_repetitions, args.solver_step)
    rows += render_rows(args.windows, max(1, args.repetitions // 2)) + startup_rows(args.windows, args.launches)
    print(f"Machine: {machine()}.\n")
    print("| What | Median | Goal |")
    print("|---|---|---|")
    for what, value, goal in rows:
        print(f"| {what} | {value} | {goal} |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
