#!/usr/bin/env python3
"""Checks that the includes of src/ point down the layers, never up or sideways.

Each folder of src/ is a layer and may include only from itself and the layers below it:

    module          the library's exports, the work behind them, its user interface
    control         the control window, the status refresh, the window thread
    status_windows  the status windows and what they share with the control window
    reports         scoring, summary, worked lists, Cabrillo export
    engine          the contest rules, the log and the contest, the bad-QSO report
    callsign        region codes and Russian prefixes
    platform        settings, clock, DATE, files, the thin Win32 layer

mode_switcher, a program of its own, may include only platform. Code outside platform/win32
whose file name does not end in _win includes no Windows header and no _win header: the
portable core builds and is tested on every system.

Usage: check_includes.py [SRC_DIR]   Exit status 0 when every include is allowed, else 1
with one line per offending include.
"""
import os
import re
import sys

LAYERS = ["platform", "callsign", "engine", "reports", "status_windows", "control", "module"]
ALLOWED = {layer: set(LAYERS[: i + 1]) for i, layer in enumerate(LAYERS)}
ALLOWED["mode_switcher"] = {"mode_switcher", "platform"}

WINDOWS_HEADERS = {
    "windows.h", "windowsx.h", "ole2.h", "oleauto.h", "objbase.h", "unknwn.h", "commctrl.h",
    "shellapi.h", "winuser.h",
}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_ENDINGS = (".h", ".cpp", ".rc")


def is_windows_only(rel):
    stem = os.path.splitext(os.path.basename(rel))[0]
    return stem.endswith("_win") or rel.startswith("platform/win32/") or rel.endswith(".rc")


def check(src):
    problems = []
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith(SOURCE_ENDINGS):
                continue
            path = os.path.join(root, name)
            rel = os.path.relpath(path, src).replace(os.sep, "/")
            layer = rel.split("/")[0]
            if layer not in ALLOWED:
                continue  # files at the top of src/ (version.h.in)
            with open(path, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    quote, target = m.groups()
                    where = f"{rel}:{number}: #include {quote}{target}{'>' if quote == '<' else quote}"
                    if quote == "<":
                        if target.lower() in WINDOWS_HEADERS and not is_windows_only(rel):
                            problems.append(f"{where}: a Windows header in portable code")
                        continue
                    parts = target.split("/")
                    if len(parts) < 2 or parts[0] not in ALLOWED:
                        continue  # a header beside the file, or a generated one
                    if parts[0] not in ALLOWED[layer]:
                        problems.append(f"{where}: {layer} may not include {parts[0]}")
                    elif os.path.splitext(parts[-1])[0].endswith("_win") and not is_windows_only(rel):
                        problems.append(f"{where}: a Windows-only header in portable code")
    return problems


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "src")
    if not os.path.isdir(src):
        print(f"check_includes: no folder {src}", file=sys.stderr)
        return 2
    problems = check(src)
    for p in problems:
        print(p)
    if problems:
        print(f"check_includes: {len(problems)} include(s) against the layer order", file=sys.stderr)
        return 1
    print("check_includes: every include points down the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
