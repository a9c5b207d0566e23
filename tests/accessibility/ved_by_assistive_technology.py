#!/usr/bin/python3
"""Describes examples/ved.txt as a new project through assistive technology alone.

Run by run.sh (Xvfb, a window manager, the accessibility bus). The windows are
driven only through AT-SPI, as a screen reader or an automation tool would: the
wizard's paths are typed into its boxes, the automatic marking is kept, step 12
gives column A the centred alignment of the hand-written project (a click on the
column's header, then the option), every step is passed with "Далее", the
options dialog gets "не выводить Нулевые значения ячеек". The saved project is
then converted in batch mode beside examples/ved.ini, and the two workbooks are
compared by what readback.py prints of them, fonts aside.

Usage: ved_by_assistive_technology.py BINARY EXAMPLES_DIR WORK_DIR
Exit status 0 when the workbooks agree.
"""
import os
import re
import shutil
import subprocess
import sys
import time

import pyatspi

BINARY, EXAMPLES, WORK = sys.argv[1:4]
READBACK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "readback.py")


def log(text):
    print(text, flush=True)


def app_root():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "tabulizer":
                return app
        time.sleep(0.2)
    raise SystemExit("the program never appeared on the accessibility bus")


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def find(role, name=None, match=None, timeout=10.0):
    """The first showing control of `role` named `name` (or whose name `match` accepts)."""
    end = time.time() + timeout
    while time.time() < end:
        for node in walk(app_root()):
            try:
                if node.getRoleName() != role or not showing(node):
                    continue
                if name is not None and node.name != name:
                    continue
                if match is not None and not match(node.name):
                    continue
                return node
            except Exception:
                continue
        time.sleep(0.2)
    raise SystemExit(f"not found: {role} {name or ''}")


def act(node, *names):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in names:
            action.doAction(i)
            time.sleep(0.3)
            return
    raise SystemExit(f"{node.name}: none of the actions {names}")


def press(role, name):
    act(find(role, name), "Press")


def type_path(box_name, path):
    box = find("text", box_name)
    box.queryComponent().grabFocus()
    time.sleep(0.3)
    box.queryEditableText().setTextContents(path)
    time.sleep(0.3)
    pyatspi.Registry.generateKeyboardEvent(0xFF0D, None, pyatspi.KEY_SYM)  # Enter
    time.sleep(0.5)


def click(node):
    x, y, w, h = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(x + w // 2, y + h // 2, "b1c")
    time.sleep(0.5)


def step_number():
    label = find("label", match=lambda n: n.isdigit())
    return int(label.name)


def next_step():
    before = step_number()
    press("push button", "Далее")
    for _ in range(50):
        if step_number() != before:
            return
        time.sleep(0.2)
    raise SystemExit(f"step {before} did not go on")


def readback(path):
    out = subprocess.run([sys.executable, READBACK, path], capture_output=True, text=True, check=True).stdout
    # Fonts aside: the automatic marking chooses its own.
    return [re.sub(r' (font="[^"]*"|size=\S+|bold|italic)', "", line) for line in out.splitlines()]


def main():
    os.makedirs(WORK, exist_ok=True)
    for name in ("ved.txt", "ved.ini"):
        shutil.copy(os.path.join(EXAMPLES, name), WORK)
    report = os.path.join(WORK, "ved.txt")
    project = os.path.join(WORK, "built-ved.ini")
    workbook = os.path.join(WORK, "built-ved.xlsx")
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    program = subprocess.Popen([BINARY], env=env)
    try:
        press("push button", "Новый проект !")
        type_path("Входной документ", report)
        type_path("Описание проекта", project)
        type_path("Выходной документ", workbook)
        press("push button", "Далее")
        log("wizard done")
        while step_number() < 15:
            if step_number() == 12:
                column_a = find("table column header", match=lambda n: n.strip() == "A")
                click(column_a)
                act(find("radio button", "Выравнивание по центру"), "Toggle", "Press")
                log("step 12: column A centred")
            next_step()
        press("push button", "Дополнительные параметры")
        zero = find("check box", "- не выводить Нулевые значения ячеек")
        if not zero.getState().contains(pyatspi.STATE_CHECKED):
            act(zero, "Toggle", "Press")
        press("push button", "Закрыть")
        log("options set")
        press("push button", "Далее")
        for _ in range(150):
            if os.path.exists(project) and os.path.exists(workbook) and os.path.getsize(workbook) > 0:
                break
            time.sleep(0.2)
        time.sleep(2)
    finally:
        program.terminate()
        program.wait(10)
    subprocess.run([BINARY, project], check=True, capture_output=True)
    subprocess.run([BINARY, os.path.join(WORK, "ved.ini")], check=True, capture_output=True)
    built = readback(workbook)
    hand = readback(os.path.join(WORK, "ved.xlsx"))
    if built == hand:
        log(f"same workbook: {len(hand)} read-back lines agree (fonts aside)")
        return 0
    for n, (a, b) in enumerate(zip(built, hand), 1):
        if a != b:
            log(f"first difference at read-back line {n}:\n  built: {a}\n  hand:  {b}")
            break
    log(f"lines: built {len(built)}, hand-written {len(hand)}")
    return 1


if __name__ == "__main__":
    sys.exit(main())
