#!/usr/bin/env python3
"""scripts/check-layers over small trees: each row is one include and whether it may stand."""
import subprocess
import sys
import tempfile
from pathlib import Path

SCRIPT = Path(__file__).resolve().parents[2] / "scripts" / "check-layers"
CASES = [
    # (file, its include, allowed)
    ("windows/main_window.cpp", "core/schedule/scheduler.h", True),
    ("core/schedule/scheduler.cpp", "core/power/power_action.h", True),
    ("gui/control.h", "core/i18n/translatable.h", True),
    ("platform/win32/registry_win32.cpp", "base/text.h", True),
    # The upward includes the old folders let pass, in their new places.
    ("platform/win32/dialogs_win32.cpp", "core/program/app_context.h", False),
    ("gui/timer.cpp", "core/wizard/wizard_model.h", False),
    ("core/settings/options_logic.cpp", "windows/main_window.h", False),
    # Sideways within the core, and two folders of one rank.
    ("core/settings/store.cpp", "core/i18n/languages.h", False),
    ("core/power/power.cpp", "core/schedule/scheduler.h", False),
    ("app/main_win32.cpp", "windows/main_window.h", True),
    ("windows/main_window.h", "app/program_win32.h", False),
]


def run(tree):
    with tempfile.TemporaryDirectory() as d:
        src = Path(d)
        for name, text in tree.items():
            (src / name).parent.mkdir(parents=True, exist_ok=True)
            (src / name).write_text(text)
        return subprocess.run([sys.executable, str(SCRIPT), str(src)], capture_output=True,
                              text=True).returncode


def main():
    failures = 0
    for name, inc, allowed in CASES:
        rc = run({name: f'#include "{inc}"\n', inc: ""})
        if (rc == 0) != allowed:
            print(f"FAILED: {name} including {inc} was {'refused' if rc else 'let pass'}")
            failures += 1
    if run({"core/schedule/x.h": "#include <windows.h>\n"}) == 0:
        print("FAILED: a Windows header in the core was let pass")
        failures += 1
    print("check-layers test", "failed" if failures else "passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
