#!/usr/bin/env python3
"""The include check bites: a tree with an include against the layer order fails, each
offence named with its file and line; a tree that keeps the order passes."""
import os
import subprocess
import sys
import tempfile

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "check_includes.py")


def run(files):
    with tempfile.TemporaryDirectory() as src:
        for rel, text in files.items():
            path = os.path.join(src, rel)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as f:
                f.write(text)
        p = subprocess.run([sys.executable, SCRIPT, src], capture_output=True, text=True)
        return p.returncode, p.stdout


def main():
    down = {
        "engine/contest.h": '#include "platform/clock.h"\n#include "engine/qso_log.h"\n',
        "control/panel_win.cpp": "#include <windows.h>\n#include \"status_windows/x_win.h\"\n",
        "module/dll_main_win.cpp": '#include "control/window_thread_win.h"\n',
        "mode_switcher/switcher.cpp": '#include "platform/host_automation.h"\n',
    }
    code, out = run(down)
    assert code == 0, out

    cases = {
        "platform/ui.h": ('#include "reports/cabrillo.h"\n', "platform/ui.h:1:", "platform may not include reports"),
        "engine/contest.h": ('\n#include "reports/result_summary.h"\n', "engine/contest.h:2:", "engine may not include reports"),
        "status_windows/w.h": ('#include "control/window_state.h"\n', "status_windows/w.h:1:", "may not include control"),
        "mode_switcher/m.cpp": ('#include "engine/contest.h"\n', "mode_switcher/m.cpp:1:", "may not include engine"),
        "engine/clock.cpp": ("#include <windows.h>\n", "engine/clock.cpp:1:", "a Windows header in portable code"),
        "control/panel.h": ('#include "platform/win32/dialog_win.h"\n', "control/panel.h:1:", "Windows-only header"),
    }
    for rel, (text, where, why) in cases.items():
        code, out = run({**down, rel: text})
        assert code == 1, (rel, out)
        assert where in out and why in out, (rel, out)
        assert out.count("\n") == 1, (rel, out)  # only the offending include is named
    print("check_includes_test: the check passes a downward tree and names every upward include")


if __name__ == "__main__":
    main()
