#!/usr/bin/env python3
"""The table of bench/run.sh: medians of the samples it collected, set against the toolkit's
floor and the goals, and where the game's start-up time goes.

    report.py SAMPLES RUNS [startup]

With "startup", only the start-up is reported.
SAMPLES holds "KEY VALUE" lines (several per key, one per run or interval) and "note TEXT".
Exit status: 0 all goals met, 1 a goal missed, 2 a measure without data.
"""
import statistics
import sys
from collections import defaultdict

# The steps of start-up as the programs trace them, each in ms from exec.
STEPS = [
    ("main", "exec, loading and linking the libraries"),
    ("toolkit", "the toolkit: application, display, fonts"),
    ("translator", "the dialogs' translation"),
    ("window", "the window: menus and artwork"),
    ("start-up", "start-up handler"),
    ("frame", "show, until the first frame is drawn"),
    ("audio", "after the frame: audio, sounds, music"),
]


def read(path):
    values, notes = defaultdict(list), []
    with open(path, encoding="utf-8") as f:
        for line in f:
            key, _, rest = line.rstrip("\n").partition(" ")
            if key == "note":
                notes.append(rest)
            elif rest:
                try:
                    values[key].append(float(rest))
                except ValueError:
                    pass
    return values, notes


def median(v):
    return statistics.median(v) if v else None


def fmt(x, spec="{:.1f}"):
    return "-" if x is None else spec.format(x)


def main():
    values, notes = read(sys.argv[1])
    runs = sys.argv[2] if len(sys.argv) > 2 else "?"
    only_startup = sys.argv[3:] == ["startup"]
    m = {k: median(v) for k, v in values.items()}
    g = lambda k: m.get(k)
    missed = nodata = 0

    def row(label, game, floor, compare, goal, ok):
        nonlocal missed, nodata
        if only_startup and not label.startswith("start"):
            return
        verdict = "no data" if ok is None else ("ok" if ok else "MISSED")
        missed += verdict == "MISSED"
        nodata += verdict == "no data"
        print(f"{label:<36} {game:>10} {floor:>10} {compare:>9}  {goal:<22} {verdict}")

    def both(a, b, f):
        return None if a is None or b is None else f(a, b)

    print(f"medians of {runs} runs; game with SDL_AUDIODRIVER=dummy "
          "(music and effects mixed, no device)")
    print(f"{'measure':<36} {'game':>10} {'floor':>10} {'vs floor':>9}  {'goal':<22} result")
    print("-" * 104)
    gs, fs = g("game.start"), g("floor.start")
    row("start -> window mapped (ms)", fmt(gs, "{:.0f}"), fmt(fs, "{:.0f}"),
        fmt(both(gs, fs, lambda a, b: a / b), "{:.2f}x"), "<= 1.15x floor",
        both(gs, fs, lambda a, b: a <= 1.15 * b))
    fr = g("floor.rss")
    for key, label in [("game.rss_title", "RSS at title screen (MB)"),
                       ("game.rss_new", "RSS after New Game + moves (MB)"),
                       ("game.rss_play", "RSS after load + moves (MB)")]:
        r = g(key)
        row(label, fmt(r), fmt(fr), fmt(both(r, fr, lambda a, b: a - b), "{:+.1f}"),
            "<= floor + 25 MB", both(r, fr, lambda a, b: a <= b + 25))
    fc = g("floor.cpu")
    for key, label, limit in [("game.cpu_title", "CPU idle at title (% of a core)", 1.0),
                              ("game.cpu_turn", "CPU in player's turn (% of a core)", 0.5)]:
        c = g(key)
        row(label, fmt(c, "{:.2f}"), fmt(fc, "{:.2f}"),
            fmt(both(c, fc, lambda a, b: a - b), "{:+.2f}"), f"< {limit:g} %",
            None if c is None else c < limit)
    for key, label, want in [("game.dice", "opening-roll tick spacing (ms)", 300),
                             ("game.kati", "travelling-step spacing (ms)", 350)]:
        d = g(key)
        row(label, fmt(d), "", f"n={len(values.get(key, []))}", f"{want} +-20",
            None if d is None else abs(d - want) <= 20)

    print()
    print("where start-up goes (medians, ms; each step from the one before, the last column"
          " from exec)")
    print(f"  {'step':<44} {'game':>8} {'floor':>8} {'at':>8}")
    before = 0.0
    for step, label in STEPS:
        at = g("game.at." + step)
        part = None if at is None else at - before
        floor = g("floor.at." + step) if step == "main" else None
        print(f"  {label:<44} {fmt(part):>8} {fmt(floor):>8} {fmt(at):>8}")
        if at is not None:
            before = at
    print(f"  {'window mapped (X server)':<44} {'':>8} {fmt(fs, '{:.0f}'):>8} {fmt(gs, '{:.0f}'):>8}")
    print(f"  {'shared objects mapped 0.5 s after the map':<44} {fmt(g('game.libs'), '{:.0f}'):>8} "
          f"{fmt(g('floor.libs'), '{:.0f}'):>8}")
    frame, audio = g("game.at.frame"), g("game.at.audio")
    if frame is not None and audio is not None:
        print(f"  music started {audio - frame:.0f} ms after the first frame (goal: within 100 ms)")

    print()
    print("samples:")
    if only_startup:
        for key in ["game.start", "floor.start"]:
            print(f"  {key:<22} {' '.join(f'{v:g}' for v in values.get(key, []))}")
        return 2 if nodata else 1 if missed else 0
    for key in ["game.start", "floor.start", "game.rss_title", "game.rss_new", "game.rss_play",
                "floor.rss", "game.cpu_title", "game.cpu_turn", "floor.cpu"]:
        print(f"  {key:<22} {' '.join(f'{v:g}' for v in values.get(key, []))}")
    for key in ["game.dice", "game.kati"]:
        v = values.get(key, [])
        print(f"  {key:<22} {f'{min(v):g} .. {max(v):g}' if v else '-'}")
    for n in notes:
        print(f"  note: {n}")
    if missed:
        print(f"{missed} goal(s) MISSED (see the result column)")
    if nodata:
        print(f"{nodata} measure(s) without data (see the messages above)")
    if not missed and not nodata:
        print("all goals met")
    return 2 if nodata else 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
