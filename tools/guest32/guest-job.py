#!/usr/bin/env python3
"""The host's side of a run in the 32-bit test guest.

  guest-job.py make --build DIR --source DIR --job DIR [--scale N] [-R REGEX] [-E REGEX]
      Writes the job: every Windows test program that ctest knows of in the
      build folder (the tests run through Wine: by tools/wine-run.sh or with
      the build's Wine folder; not the fixtures that prepare Wine), as one
      shell script each (tests/N.sh), their environment and time
      limit scaled, paths of the source folder rewritten to where the guest
      puts the job's copy of it (/korvex/src) and the build's Wine folder to
      the guest's own; the copy (tree/) holds the build's programs, the demo
      medium, the scripts under tools/ and every file of the source folder
      that a test's command names, at their places. The tests run in
      phases, one per locale (Wine keeps one set of regional settings per
      prefix and switches it to the locale of the program that starts: two
      locales at once would read each other's); in each phase those that hold
      a lock (the screen, the shared registry) run one after the other
      (lane-a-P), the others beside them (lane-b-P); a few long ones run
      from the start to the end in a prefix and on a display of their own
      (lane-c, see OWN_PREFIX). First of all,
      "launcher.screenshot" shows the medium's Start.exe and saves the screen.
  guest-job.py report --job DIR
      Prints the results the guest left in the job the way ctest does, with the
      output of each failed test, and exits 1 when a test failed or did not run.
      The screenshot passes when Start.exe's window is on it as it should look
      (its size, the form's colours, the picture); it is kept as start.png.
"""

import argparse
import json
import os
import re
import shlex
import shutil
import struct
import subprocess
import sys

GUEST_SOURCE = "/korvex/src"
GUEST_WINE_DIR = "/korvex/wine"
# Test programs that hold the screen for most of the run (the launcher's end
# to end cases, a third of an hour in the emulator, mostly waiting) run from
# the start in a copy of the prefix on a display of their own (lane c), beside
# the phases: they share neither screen, registry nor regional settings with
# the others there.
GUEST_WINE_DIR_OWN = "/korvex/wine2"
OWN_PREFIX = ("launcher_e2e_test.",)
SCREENSHOT = "launcher.screenshot"

# The launcher's window as a person sees it (resources/frStartup.layout).
CLIENT_WIDTH, CLIENT_HEIGHT = 604, 337
FORM_COLOUR, BOX_COLOUR = (164, 193, 185), (205, 224, 221)


def properties(test):
    return {p["name"]: p["value"] for p in test.get("properties", [])}


def guest_path(path, source):
    if path == source or path.startswith(source + "/"):
        return GUEST_SOURCE + path[len(source):]
    return path


def cache_value(build, name):
    with open(os.path.join(build, "CMakeCache.txt")) as f:
        for line in f:
            key, _, value = line.strip().partition("=")
            if key.split(":")[0] == name:
                return value
    return None


def lay_out_tree(job, source, build, medium, tests):
    """Copies what the guest runs into job/tree, at the same places relative to the source folder."""
    tree = os.path.join(job, "tree")

    def copy(path):
        target = os.path.join(tree, os.path.relpath(path, source))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy2(path, target)

    for folder, skip in ((build, ("CMakeFiles", "googletest", "wine", "guest-job")), (os.path.join(source, "tools"), ())):
        for dirpath, dirnames, filenames in os.walk(folder):
            dirnames[:] = [d for d in dirnames if d not in skip]
            for f in filenames:
                if folder != build or f.endswith((".exe", ".dll")):
                    copy(os.path.join(dirpath, f))
    if medium and os.path.isdir(medium):
        for dirpath, _, filenames in os.walk(medium):
            for f in filenames:
                copy(os.path.join(dirpath, f))
    for _, command, props in tests:
        for word in command:
            if os.path.isfile(word) and (word + "/").startswith(source + "/"):
                copy(word)
        os.makedirs(os.path.join(tree, os.path.relpath(props.get("WORKING_DIRECTORY", build), source)),
                    exist_ok=True)


def make(args):
    source = os.path.realpath(args.source)
    build = os.path.realpath(args.build)
    if not (build + "/").startswith(source + "/"):
        sys.exit("guest-job: the build folder must lie inside the source folder (the guest sees only that)")
    listing = subprocess.run(["ctest", "--show-only=json-v1"], cwd=build, check=True, capture_output=True,
                             text=True).stdout
    host_wine_dir = os.path.join(build, "wine")
    tests = []
    for test in json.loads(listing)["tests"]:
        props = properties(test)
        command = test.get("command") or []
        if "FIXTURES_SETUP" in props or "FIXTURES_CLEANUP" in props:
            continue
        if not command or not (command[0].endswith("/tools/wine-run.sh") or host_wine_dir in command):
            continue
        name = test["name"]
        if args.R and not re.search(args.R, name):
            continue
        if args.E and re.search(args.E, name):
            continue
        tests.append((name, command, props))
    medium = cache_value(build, "KORVEX_MEDIUM_DIR")
    if medium and (not args.R or re.search(args.R, SCREENSHOT)) and not (args.E and re.search(args.E, SCREENSHOT)):
        shot = ["sh", os.path.join(source, "tools/guest32/start-shot.sh"), medium, "/job/start"]
        tests.insert(0, (SCREENSHOT, shot, {"TIMEOUT": 120, "RESOURCE_LOCK": ["korvex_screen"],
                                            "ENVIRONMENT": ["LC_ALL=hu_HU.UTF-8"],
                                            "WORKING_DIRECTORY": build}))
    if not tests:
        sys.exit("guest-job: no Windows test program matches")
    lay_out_tree(args.job, source, build, medium, tests)
    os.makedirs(os.path.join(args.job, "tests"), exist_ok=True)
    os.makedirs(os.path.join(args.job, "results"), exist_ok=True)
    phases = {}
    own_lane = []
    names = []
    for number, (name, command, props) in enumerate(tests, 1):
        own = name.startswith(OWN_PREFIX)
        timeout = int(float(props.get("TIMEOUT", 1500)) * args.scale)
        env = [f"KORVEX_TIME_SCALE={args.scale:g}"]
        for entry in props.get("ENVIRONMENT", []):
            key, _, value = entry.partition("=")
            if key == "KORVEX_WINE_TIMEOUT":
                value = str(int(float(value) * args.scale))
            env.append(f"{key}={value}")
        argv = []
        for word in command:
            if word == host_wine_dir:
                argv.append(GUEST_WINE_DIR_OWN if own else GUEST_WINE_DIR)
            else:
                argv.append(guest_path(word, source))
        workdir = guest_path(props.get("WORKING_DIRECTORY", build), source)
        script = (f"# {name}\ncd {shlex.quote(workdir)} || exit 1\n"
                  f"exec timeout -k 10 {timeout} env {' '.join(shlex.quote(e) for e in env)} "
                  f"{' '.join(shlex.quote(a) for a in argv)}\n")
        with open(os.path.join(args.job, "tests", f"{number}.sh"), "w") as f:
            f.write(script)
        names.append(name)
        if own:
            own_lane.append(f"{number} {name}")
            continue
        locale = next((e.partition("=")[2] for e in env if e.startswith("LC_ALL=")), "")
        lanes = phases.setdefault(locale, {"a": [], "b": []})
        lanes["a" if props.get("RESOURCE_LOCK") else "b"].append(f"{number} {name}")
    for phase, lanes in enumerate(phases.values(), 1):
        for lane, entries in lanes.items():
            with open(os.path.join(args.job, f"lane-{lane}-{phase}"), "w") as f:
                f.write("".join(e + "\n" for e in entries))
    with open(os.path.join(args.job, "lane-c"), "w") as f:
        f.write("".join(e + "\n" for e in own_lane))
    with open(os.path.join(args.job, "phases"), "w") as f:
        f.write(f"{len(phases)}\n")
    with open(os.path.join(args.job, "names"), "w") as f:
        f.write("".join(n + "\n" for n in names))
    locked = sum(len(lanes["a"]) for lanes in phases.values())
    print(f"guest-job: {len(names)} test programs in {len(phases)} locales ({locked} one at a time, "
          f"{len(names) - locked - len(own_lane)} beside them, {len(own_lane)} on a display of their own), "
          f"waits scaled by {args.scale:g}")


def read_xwd(path):
    """An X window dump of a 24-bit TrueColor screen: (width, height, pixel(x, y) -> (r, g, b))."""
    with open(path, "rb") as f:
        data = f.read()
    header = struct.unpack(">25I", data[:100])
    size, width, height = header[0], header[4], header[5]
    byte_order, bits, line = header[7], header[11], header[12]
    masks, colours = header[14:17], header[19]
    if bits != 32:
        raise ValueError(f"{bits} bits per pixel")
    start = size + 12 * colours
    endian = "<" if byte_order == 0 else ">"

    def shift(mask):
        return (mask & -mask).bit_length() - 1

    shifts = [shift(m) for m in masks]

    def pixel(x, y):
        (value,) = struct.unpack_from(endian + "I", data, start + y * line + 4 * x)
        return tuple((value & m) >> s for m, s in zip(masks, shifts))

    return width, height, pixel


def check_screenshot(job):
    """What is wrong with Start.exe's window on the screenshot (None: nothing)."""
    geometry = {}
    with open(os.path.join(job, "start.geometry")) as f:
        for line in f:
            key, _, value = line.strip().partition("=")
            geometry[key] = int(value)
    x0, y0, w, h = geometry["X"], geometry["Y"], geometry["WIDTH"], geometry["HEIGHT"]
    if not (CLIENT_WIDTH <= w <= CLIENT_WIDTH + 40 and CLIENT_HEIGHT <= h <= CLIENT_HEIGHT + 60):
        return f"the window is {w} x {h}, not a frame around a {CLIENT_WIDTH} x {CLIENT_HEIGHT} client area"
    width, height, pixel = read_xwd(os.path.join(job, "start.xwd"))
    counts = {}
    for y in range(max(y0, 0), min(y0 + h, height)):
        for x in range(max(x0, 0), min(x0 + w, width)):
            c = pixel(x, y)
            counts[c] = counts.get(c, 0) + 1
    form, box = counts.get(FORM_COLOUR, 0), counts.get(BOX_COLOUR, 0)
    if form < CLIENT_WIDTH * CLIENT_HEIGHT // 4:
        return f"only {form} pixels of the form's colour"
    if box < 10000:
        return f"only {box} pixels of the menu box's colour"
    if len(counts) < 200:
        return f"only {len(counts)} colours: no picture"
    return None


def save_png(job):
    """The screenshot as start.png for people, where ImageMagick is installed."""
    try:
        subprocess.run(["convert", "xwd:" + os.path.join(job, "start.xwd"), os.path.join(job, "start.png")],
                       check=False, capture_output=True)
    except OSError:
        pass


def report(args):
    with open(os.path.join(args.job, "names")) as f:
        names = [line.strip() for line in f if line.strip()]
    width = max(len(n) for n in names)
    failed = []
    total = len(names)
    for number, name in enumerate(names, 1):
        result = os.path.join(args.job, "results", f"{number}.rc")
        if os.path.exists(result):
            with open(result) as f:
                rc, ms = (f.read().split() + ["?", "0"])[:2]
            seconds = int(ms) / 1000
            status = "Passed" if rc == "0" else ("Timeout" if rc in ("124", "137") else "Failed")
            if name == SCREENSHOT and status == "Passed":
                try:
                    problem = check_screenshot(args.job)
                except (OSError, ValueError, KeyError, struct.error) as e:
                    problem = f"unreadable screenshot: {e}"
                save_png(args.job)
                if problem:
                    status = "Failed"
                    with open(os.path.join(args.job, "results", f"{number}.log"), "a") as f:
                        f.write(f"Start.exe on the screenshot: {problem}\n")
        else:
            status, seconds = "Not Run", 0.0
        print(f"{number:>{len(str(total))}}/{total} Test #{number}: {name} {'.' * (width + 3 - len(name))} "
              f"{'  Passed' if status == 'Passed' else '***' + status} {seconds:8.2f} sec")
        if status != "Passed":
            failed.append((number, name, status))
    for number, name, status in failed:
        log = os.path.join(args.job, "results", f"{number}.log")
        if os.path.exists(log):
            print(f"\n---- output of {name} ({status}) ----")
            with open(log, errors="replace") as f:
                sys.stdout.write(f.read()[-20000:])
    passed = total - len(failed)
    print(f"\n{100 * passed // total}% tests passed, {len(failed)} tests failed out of {total}")
    if failed:
        print("\nThe following tests FAILED:")
        for number, name, status in failed:
            print(f"\t{number:3d} - {name} ({status})")
    return 1 if failed else 0


def main():
    parser = argparse.ArgumentParser()
    sub = parser.add_subparsers(dest="action", required=True)
    m = sub.add_parser("make")
    m.add_argument("--build", required=True)
    m.add_argument("--source", required=True)
    m.add_argument("--job", required=True)
    m.add_argument("--scale", type=float, default=1.0)
    m.add_argument("-R")
    m.add_argument("-E")
    r = sub.add_parser("report")
    r.add_argument("--job", required=True)
    args = parser.parse_args()
    if args.action == "make":
        make(args)
        return 0
    return report(args)


if __name__ == "__main__":
    sys.exit(main())
