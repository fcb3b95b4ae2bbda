#!/usr/bin/python3
# The real program read through the real AT-SPI bus, as a screen reader
# would read it: the highlighted row after Down, the edit dialog's fields,
# Escape in both dialogs, a hint's alert. Runs itself on a virtual display
# with a session bus of its own; skipped (77) when the tools are missing.
import os, shutil, subprocess, sys, tempfile, time

if len(sys.argv) == 3:
    if not all(shutil.which(t) for t in ('xvfb-run', 'dbus-run-session', 'xdotool')):
        sys.exit(77)
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        sys.exit(77)
    sys.exit(subprocess.call(['timeout', '60', 'xvfb-run', '-a', '-s', '-screen 0 1280x800x24',
                              'dbus-run-session', '--', sys.executable] + sys.argv + ['run']))

import pyatspi
from gi.repository import GLib

program, edition = sys.argv[1], sys.argv[2]
zh = edition == 'zh'
events = []


def heard(e):
    # Read now: the source may be gone (a closed dialog) when it is looked at.
    try:
        events.append((e.type, e.detail1, e.source.getRoleName(), e.source.name))
    except Exception:
        pass


pyatspi.Registry.registerEventListener(heard, 'object:state-changed', 'focus:')


def wait(what, check):
    """Pumps the bus until check() gives something true, for at most 15 s."""
    deadline = time.time() + 15
    while time.time() < deadline:
        GLib.MainContext.default().iteration(False)
        try:
            found = check()
        except Exception:  # an object gone while it was read
            found = None
        if found:
            return found
        time.sleep(0.02)
    sys.exit(f'{edition}: no {what}')


def has(obj, state):
    return obj.getState().contains(state)


def windows(role):
    return [w for w in app if w and w.getRoleName() == role and has(w, pyatspi.STATE_SHOWING)]


def key(name, title='Morvex Menu Editor'):
    # No window manager hands the keyboard to a new window: give it over.
    ids = subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', f'^{title}$'],
                         capture_output=True, text=True).stdout.split()
    subprocess.run(['xdotool', 'windowfocus', '--sync', ids[-1], 'key', name], check=True)


def event(kind, name, role):
    return any(e[:3] == (kind, 1, role) and e[3].startswith(name) for e in events)


work = tempfile.mkdtemp()
env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_QPA_PLATFORM='xcb')
editor = subprocess.Popen([program], cwd=work, env=env)
try:
    app = wait('program on the bus', lambda: next(
        (a for a in pyatspi.Registry.getDesktop(0) if a and a.name.startswith('menu_editor')), None))
    rows = wait('list of 15 menus', lambda: next(
        (c for c in app[0][0] if c.getRoleName() == 'list' and c.childCount == 15), None))
    # Only what is seen: not Add (outside the window), New (under Save), the
    # never shown progress bar, nor the frame lines' "TextLabel".
    noise = [(c.getRoleName(), c.name) for c in app[0][0] if c.getRoleName() == 'progress bar' or
             c.name in ('', 'TextLabel', '添加' if zh else 'Add', '新建' if zh else 'New')]
    if noise:
        sys.exit(f'{edition}: heard {noise}')
    wait('first row focused', lambda: has(rows[0], pyatspi.STATE_FOCUSED))

    key('Down')
    wait('second row selected and focused', lambda: has(rows[1], pyatspi.STATE_SELECTED) and
         has(rows[1], pyatspi.STATE_FOCUSED) and not has(rows[0], pyatspi.STATE_SELECTED))
    wait('focus and selection events', lambda: event('object:state-changed:focused', 'A-02',
         'list item') and event('object:state-changed:selected', 'A-02', 'list item'))

    key('Return')
    dialog = wait('edit dialog', lambda: next((w for w in windows('dialog') if w.name == (
        '编辑菜单 A-02' if zh else 'Edit menu A-02')), None))
    fields = [c.name for c in dialog if c.getRoleName() in ('text', 'combo box')]
    stages = [f'第 {n} 阶段{p}' if zh else f'Stage {n} {p}' for n in '123' for p in (
        ('火力', '分钟', '秒数') if zh else ('power', 'minutes', 'seconds'))]
    expected = (['菜单名称', '菜单编号'] if zh else ['Name', 'Code']) + stages
    if fields != expected:
        sys.exit(f'{edition}: fields {fields}')
    key('Escape', 'Dialog')
    wait('edit dialog closed', lambda: not windows('dialog'))
    key('Delete')
    question = wait('clear question', lambda: next((w for w in windows('dialog') if w.name == (
        '清除菜单 A-02？' if zh else 'Clear menu A-02?')), None))
    if [c.name for c in question if c.getRoleName() == 'label'] != [
            '清除当前菜单数据？' if zh else 'Sure to Clear this MENU?']:
        sys.exit(f'{edition}: question reads {[c.name for c in question]}')
    key('Escape', 'Dialog')
    wait('question closed', lambda: not windows('dialog'))

    key('x')
    wait('no match announced', lambda: event('object:state-changed:showing',
                                              '没有名为 x 的菜单' if zh else 'No menu named x', 'alert'))
    key('ctrl+s')
    wait('rows focused again', lambda: has(rows[1], pyatspi.STATE_FOCUSED))
    wait('alert', lambda: event('object:state-changed:showing',
                                '文件已保存！' if zh else 'File Saved!', 'alert'))
finally:
    editor.terminate()
    editor.wait()
    shutil.rmtree(work, ignore_errors=True)
