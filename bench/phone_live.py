"""Figures of the live phone, measured in a real browser (headless chromium, selenium):
input to changed picture (from the pointer event or button click to the load of the next
picture, in the page), brightness steps shown a second during a glide (the page darkens the
picture by each state's brightness), CPU of the phone's
processes while idle with the page open, and their memory over a stretch of scripted use.
Usage: /usr/bin/python3 bench/phone_live.py --springboard build/default/bin/SpringBoard
       [--inputs 200] [--minutes 10]"""
import argparse
import os
import statistics
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "phone"))
from phone_process import PhoneProcess  # noqa: E402
from browser_test import browser_or_none  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def processes(phone):
    return [phone.process.pid] + phone.descendants()


def cpu_seconds(pids):
    total = 0
    for pid in pids:
        try:
            with open("/proc/%d/stat" % pid) as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])
        except OSError:
            pass
    return total / TICKS


def resident_kib(pids):
    total = 0
    for pid in pids:
        try:
            with open("/proc/%d/status" % pid) as status:
                total += next(int(line.split()[1]) for line in status if line.startswith("VmRSS"))
        except (OSError, StopIteration):
            pass
    return total


class Page:
    def __init__(self, browser, phone):
        self.browser, self.phone = browser, phone

    def js(self, script):
        return self.browser.execute_script(script)

    def tap(self, x, y):
        from selenium.webdriver.common.action_chains import ActionChains
        box = self.js("const b = document.getElementById('screen').getBoundingClientRect();"
                      "return [b.left, b.top, b.width, b.height];")
        actions = ActionChains(self.browser)
        pointer = actions.w3c_actions.pointer_action
        pointer.move_to_location(int(box[0] + x * box[2] / 375), int(box[1] + y * box[3] / 667))
        pointer.pointer_down()
        pointer.pointer_up()
        actions.perform()

    def click(self, button):
        self.browser.find_element("id", button).click()

    def wait_latency(self, count, timeout=3):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.js("return window.morvaneLatencies.length") > count:
                return True
            time.sleep(0.005)
        return False


def latency(page, inputs):
    maps = page.phone.icon("Maps")
    for index in range(inputs):
        count = page.js("return window.morvaneLatencies.length")
        if index % 2 == 0:
            page.tap(*maps)
        else:
            page.click("home")
        page.wait_latency(count)
        time.sleep(0.05)
    times = sorted(page.js("return window.morvaneLatencies"))[-inputs:]
    times.sort()
    return statistics.median(times), times[int(0.95 * (len(times) - 1))], len(times)


def glide(page, values_editor, root):
    for command in (["setting", "brightnessAnimated", "on"],
                    ["store", "com.apple.Maps", "brightness", "0.05"]):
        subprocess.run([values_editor, "--root", root, *command], check=True, capture_output=True)
    page.phone.wait_for(lambda s: abs(((s["values"].get("com.apple.Maps") or {}).get("brightness") or -1) - 0.05) < 1e-4,
                        "the stored brightness")
    page.tap(*page.phone.icon("Maps"))
    page.phone.wait_for(lambda s: s["brightness"] <= 0.06, "the glide's end", timeout=30)
    time.sleep(0.5)
    log = page.js("return window.morvaneBrightnessLog")
    frames = page.js("return window.morvaneFrameTimes")
    start = next(t for t, level in log if level < 0.5)
    end = next(t for t, level in log if level <= 0.06)
    shown = [t for t in frames if start <= t <= end]
    told = [t for t, _ in log if start <= t <= end]
    page.click("home")
    seconds = max((end - start) / 1000, 1e-3)
    return len(shown) / seconds, seconds, len(shown), len(told) / seconds


def scripted_use(page, minutes):
    """Cycles of use; after a cycle (the Settings app ended, home screen in front) every
    30 s, the resident memory of the home screen's process and of all the phone's."""
    samples = []
    maps = page.phone.icon("Maps")
    settings = page.phone.icon("Settings")
    began = time.monotonic()
    next_sample = began
    while True:
        for step in (lambda: page.tap(*maps), lambda: page.click("home"),
                     lambda: page.click("volume-up"), lambda: page.click("volume-down"),
                     lambda: page.tap(*settings), lambda: page.click("home")):
            step()
            time.sleep(0.3)
        now = time.monotonic()
        if now >= next_sample or now - began >= minutes * 60:
            samples.append((now - began, resident_kib([page.phone.process.pid]),
                            resident_kib(processes(page.phone))))
            next_sample += 30
        if now - began >= minutes * 60:
            return samples


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--springboard", required=True)
    parser.add_argument("--inputs", type=int, default=200)
    parser.add_argument("--minutes", type=float, default=10)
    arguments = parser.parse_args()
    browser = browser_or_none()
    if browser is None:
        sys.exit("chromium and chromedriver are needed")
    phone = PhoneProcess(arguments.springboard)
    try:
        browser.get(phone.url)
        page = Page(browser, phone)
        time.sleep(1)
        median, p95, count = latency(page, arguments.inputs)
        print("input to changed picture: median %.1f ms, p95 %.1f ms over %d inputs" % (median, p95, count))
        time.sleep(1)
        spent = cpu_seconds(processes(phone))
        time.sleep(10)
        idle = (cpu_seconds(processes(phone)) - spent) / 10 * 100
        print("idle with the page open: %.2f %% of one core over 10 s (the phone's processes)" % idle)
        editor = os.path.join(os.path.dirname(arguments.springboard), "ValuesEditor")
        rate, seconds, shown, told = glide(page, editor, os.path.join(phone.folder.name, "root"))
        print("brightness glide over %.2f s: %.1f brightness steps/s shown on the screen (states "
              "applied to it); %d new pictures loaded meanwhile" % (seconds, told, shown))
        if arguments.minutes > 0:
            samples = scripted_use(page, arguments.minutes)
            print("memory (resident KiB) over scripted use: time, SpringBoard, all the phone's")
            for at, own, everything in samples:
                print("  %6.0f s  %d  %d" % (at, own, everything))
            own = [sample[1] for sample in samples[1:]]
            print("  SpringBoard after the first sample: min %d, max %d (%.1f %% apart)" %
                  (min(own), max(own), 100 * (max(own) - min(own)) / min(own)))
    finally:
        browser.quit()
        phone.stop()


if __name__ == "__main__":
    main()
