"""The road of a person on the live phone, in a real browser (Debian's chromium, headless,
driven by selenium): a held press opens Maps' menu, the Volume slider dragged to 20 % is
stored, Maps' entry applies it and Home restores the level before, the volume button shows
its overlay, the Settings app turns the volume overlay off for the next entry, and the
Respring buttons (the page's and the pane's) restart the home screen. The phone runs with a
blank and a '#' in its TMPDIR, where the Settings app's pictures are made."""
import argparse
import os
import plistlib
import shutil
import signal
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from phone_process import PhoneProcess, alive  # noqa: E402

SKIP = 77
SPRINGBOARD = None


def browser_or_none():
    chromium = shutil.which("chromium")
    driver = shutil.which("chromedriver")
    if not chromium or not driver:
        return None
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    options = webdriver.ChromeOptions()
    options.binary_location = chromium
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--window-size=1200,900"):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service(driver), options=options)


class Road(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.browser = browser_or_none()
        cls.temporary = tempfile.TemporaryDirectory(prefix="morvane phone #")
        previous = os.environ.get("TMPDIR")
        os.environ["TMPDIR"] = cls.temporary.name
        try:
            cls.phone = PhoneProcess(SPRINGBOARD)
        finally:
            if previous is None:
                del os.environ["TMPDIR"]
            else:
                os.environ["TMPDIR"] = previous
        cls.browser.get(cls.phone.url)
        cls.wait_until(cls, lambda: cls.browser.execute_script(
            "return document.getElementById('screen').naturalWidth") == 750, "the first picture")

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.phone.stop()
        cls.temporary.cleanup()

    def wait_until(self, condition, what, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if condition():
                return
            time.sleep(0.05)
        raise AssertionError("waited %g s for %s" % (timeout, what))

    # --- the finger, as real pointer input at points of the screen ---
    def at(self, x, y):
        """The page's coordinates of a point of the phone's screen."""
        box = self.browser.execute_script(
            "const b = document.getElementById('screen').getBoundingClientRect();"
            "return [b.left, b.top, b.width, b.height];")
        return box[0] + x * box[2] / 375, box[1] + y * box[3] / 667

    def finger(self, points, hold=0.0, button=None):
        from selenium.webdriver.common.action_chains import ActionChains
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        from selenium.webdriver.common.actions.mouse_button import MouseButton
        button = MouseButton.LEFT if button is None else button
        actions = ActionChains(self.browser)
        pointer = actions.w3c_actions.pointer_action
        first = self.at(*points[0])
        pointer.move_to_location(int(first[0]), int(first[1]))
        pointer.pointer_down(button)
        if hold:
            pointer.pause(hold)
        for point in points[1:]:
            x, y = self.at(*point)
            pointer.move_to_location(int(x), int(y))
            pointer.pause(0.03)
        pointer.pointer_up(button)
        actions.perform()
        del ActionBuilder

    def tap(self, x, y):
        self.finger([(x, y)])

    def click(self, button):
        self.browser.find_element("id", button).click()

    def picture(self):
        return self.browser.find_element("id", "screen").screenshot_as_png

    def centre(self, frame):
        return frame[0] + frame[2] / 2, frame[1] + frame[3] / 2

    def icon(self, label):
        return self.centre(next(i["frame"] for i in self.phone.state()["icons"] if i["label"] == label))

    def settle_picture(self):
        """Waits until the page shows the latest frame the phone published."""
        latest = self.phone.frame_number()
        self.wait_until(lambda: self.browser.execute_script("return window.morvaneFrameShown") >= latest,
                        "the page showing frame %d" % latest)

    def picture_changes(self, before, what):
        self.wait_until(lambda: self.picture() != before, what)

    def light_shown(self):
        """How much of the picture's light the page shows: the mean of the screen's pixels as
        seen in the browser over the mean of the phone's picture itself."""
        self.settle_picture()
        seen = self.browser.find_element("id", "screen").screenshot_as_base64
        return self.browser.execute_async_script("""
            const done = arguments[arguments.length - 1];
            const mean = (image) => {
              const canvas = document.createElement('canvas');
              canvas.width = 150; canvas.height = 267;
              const context = canvas.getContext('2d');
              context.drawImage(image, 0, 0, canvas.width, canvas.height);
              const pixels = context.getImageData(0, 0, canvas.width, canvas.height).data;
              let sum = 0;
              for (let at = 0; at < pixels.length; at += 4) sum += pixels[at] + pixels[at + 1] + pixels[at + 2];
              return sum / (pixels.length / 4 * 3);
            };
            const shown = new Image();
            shown.onload = () => done(mean(shown) / mean(document.getElementById('screen')));
            shown.src = 'data:image/png;base64,' + arguments[0];""", seen)

    def write_settings_file(self, changes):
        """Changes the settings file (settings and the apps' values) straight on disk, as
        another writer would, with no notification; replaced whole, in its own format."""
        path = os.path.join(self.phone.folder.name, "root", "var/mobile/Library/Preferences",
                            "com.kelvrin.morvane.plist")
        with open(path, "rb") as file:
            data = file.read()
        held = plistlib.loads(data)
        held.update(changes)
        kind = plistlib.FMT_BINARY if data.startswith(b"bplist") else plistlib.FMT_XML
        with open(path + ".new", "wb") as file:
            plistlib.dump(held, file, fmt=kind)
        os.replace(path + ".new", path)

    def pane_row(self, label=None, key=None):
        """The row of the Settings app's page with that label or key, once it shows."""
        def row_of(state):
            for row in (state["pane"] or {}).get("rows", []):
                if (label and row["label"] == label) or (key and row["key"] == key):
                    return row
            return None
        return row_of(self.phone.wait_for(row_of, "a row %s in the pane" % (label or key)))

    # --- the road ---
    def test_road(self):
        phone = self.phone
        maps = self.icon("Maps")
        self.check_only_the_main_button_is_the_finger(maps)
        before = self.picture()
        self.finger([maps], hold=0.8)
        state = phone.wait_for(lambda s: s["menu"]["open"], "Maps' menu")
        self.assertEqual(state["menu"]["bundleId"], "com.apple.Maps")
        self.picture_changes(before, "the menu on the screen")

        volume_row = next(r for r in state["menu"]["rows"] if r["title"] == "Volume")
        x, y, width, height = volume_row["frame"]
        self.tap(x + width - 24, y + height / 2)
        editor = phone.wait_for(lambda s: (s["menu"]["editor"] or {}).get("kind") == "slider",
                                "the volume slider")["menu"]["editor"]
        (low, high), thumb = editor["track"], editor["thumb"]
        target = low + 0.2 * (high - low)
        self.finger([thumb] + [(thumb[0] + (target - thumb[0]) * step / 6, thumb[1]) for step in range(1, 7)])
        state = phone.wait_for(lambda s: abs(((s["values"].get("com.apple.Maps") or {}).get("volume") or -1) - 0.2) < 0.01,
                               "0.2 stored for Maps")
        self.wait_until(lambda: "20 %" in self.browser.find_element("id", "values").text, "the values table")

        self.tap(360, 650)  # outside the menu
        phone.wait_for(lambda s: not s["menu"]["open"], "the menu closed")
        self.tap(*maps)
        phone.wait_for(lambda s: s["front"] == "com.apple.Maps" and abs(s["volume"] - 0.2) < 0.01,
                       "Maps in front at 0.2")
        self.click("home")
        state = phone.wait_for(lambda s: s["front"] is None and abs(s["volume"] - 0.5) < 0.01,
                               "the level before restored")

        hud = state["hud"]["volume"]
        self.click("volume-up")
        state = phone.wait_for(lambda s: s["hud"]["volume"] == hud + 1, "the volume overlay")
        self.assertGreater(state["volume"], 0.5)
        self.assertTrue(state["overlays"]["volume"])

        # The glass: the lower the brightness, the darker the screen the page shows.
        self.light_at_half = self.light_shown()  # compared below at a lower level

        self.check_settings_turn_the_overlay_off()
        self.check_respring_buttons()
        self.check_a_stuck_settings_app_is_told()

    def check_only_the_main_button_is_the_finger(self, maps):
        # A right button held on Maps' icon opens no menu; a middle-button tap launches
        # nothing. The volume press after each is sent after it, so once its overlay shows
        # the press before has been heard.
        from selenium.webdriver.common.actions.mouse_button import MouseButton
        for button, hold in ((MouseButton.RIGHT, 0.8), (MouseButton.MIDDLE, 0.0)):
            hud = self.phone.state()["hud"]["volume"]
            self.finger([maps], hold=hold, button=button)
            self.click("volume-up")
            state = self.phone.wait_for(lambda s: s["hud"]["volume"] == hud + 1, "the volume overlay")
            self.assertEqual((state["menu"]["open"], state["front"]), (False, None), button)
            self.click("volume-down")
            self.phone.wait_for(lambda s: abs(s["volume"] - 0.5) < 0.01, "the volume back at half")

    def check_settings_turn_the_overlay_off(self):
        phone = self.phone
        self.tap(*self.icon("Settings"))
        phone.wait_for(lambda s: s["screen"] == "settings" and s["pane"]["title"] == "Settings",
                       "the Settings app")
        self.tap(*self.centre(self.pane_row(label="Morvane")["frame"]))
        phone.wait_for(lambda s: s["pane"]["title"] == "Morvane", "Morvane's pane")
        self.check_the_pane_scrolls_with_the_finger()
        self.tap(*self.centre(self.pane_row(label="Overlays and brightness")["frame"]))
        row = self.pane_row(key="showVolumeHUD")
        self.assertEqual(row["label"], "Volume overlay")
        self.assertTrue(row["on"])
        self.tap(*self.centre(row["frame"]))
        phone.wait_for(lambda s: s["settings"].get("showVolumeHUD") is False,
                       "the home screen holding the overlay off")
        self.assertFalse(self.pane_row(key="showVolumeHUD")["on"])
        self.click("home")
        state = phone.wait_for(lambda s: s["screen"] == "home", "home")
        hud = state["hud"]["volume"]
        self.tap(*self.icon("Maps"))
        state = phone.wait_for(lambda s: abs(s["volume"] - 0.2) < 0.01, "Maps' volume applied")
        time.sleep(0.3)
        self.assertEqual(phone.state()["hud"]["volume"], hud, "an overlay showed")
        self.click("home")

    def check_the_pane_scrolls_with_the_finger(self):
        # A drag up moves the page up with the finger (rows and picture); a drag down brings
        # it back; a tap was not made on the way (the page stays the same page).
        top = self.pane_row(key="enabled")["frame"][1]
        self.settle_picture()
        before = self.picture()  # the Settings app's own picture: only it shows the scroll
        self.finger([(187, 560 - 40 * step) for step in range(7)])
        moved = lambda s: next((r["frame"][1] for r in s["pane"]["rows"] if r["key"] == "enabled"), top)
        state = self.phone.wait_for(lambda s: moved(s) < top - 150, "the page scrolled up")
        self.assertEqual(state["pane"]["title"], "Morvane")
        self.picture_changes(before, "the scrolled page on the screen")
        self.finger([(187, 200 + 60 * step) for step in range(7)])
        self.phone.wait_for(lambda s: abs(moved(s) - top) < 1, "the page back at its top")

    def check_respring_buttons(self):
        phone = self.phone
        # A setting and a value changed on disk without telling anyone: only a restart reads them.
        self.assertIs(phone.state()["settings"]["showVolumeHUD"], False)
        self.write_settings_file({"showVolumeHUD": True, "com.apple.Maps-brightness": 0.2})
        self.assertIs(phone.state()["settings"]["showVolumeHUD"], False)
        self.click("respring")
        phone.wait_for(lambda s: any("SpringBoard restarted" in line for line in s["timeline"]),
                       "the page's Respring")
        phone.wait_for(lambda s: s["settings"]["showVolumeHUD"] is True,
                       "the restarted home screen holding the file's setting")
        self.check_the_glass_darkens()
        restarts = sum("SpringBoard restarted" in line for line in phone.state()["timeline"])
        self.tap(*self.icon("Settings"))
        self.tap(*self.centre(self.pane_row(label="Morvane")["frame"]))
        # The pane offers Respring once "Enabled" was flipped: off and on again.
        for on in (False, True):
            self.tap(*self.centre(self.pane_row(key="enabled")["frame"]))
            phone.wait_for(lambda s: s["settings"].get("enabled") is on, "enabled %s" % on)
        phone.wait_for(lambda s: s["pane"]["respring"], "the Respring button")
        self.tap(340, 42)  # the navigation bar's Respring button
        state = phone.wait_for(
            lambda s: sum("SpringBoard restarted" in line for line in s["timeline"]) > restarts,
            "the pane's Respring")
        self.assertEqual(state["screen"], "home")

    def check_a_stuck_settings_app_is_told(self):
        # The Settings app stops answering: the tap is not shown as done; the page says what
        # went wrong, the phone goes home, and the next input clears the message.
        phone = self.phone
        problem = self.browser.find_element("id", "problem")
        self.assertFalse(problem.is_displayed())
        self.tap(*self.icon("Settings"))
        phone.wait_for(lambda s: s["screen"] == "settings", "the Settings app")
        row = self.pane_row(label="Morvane")
        [child] = phone.descendants()
        os.kill(child, signal.SIGSTOP)
        self.tap(*self.centre(row["frame"]))
        self.wait_until(problem.is_displayed, "the problem told on the page", timeout=20)
        self.assertIn("the Settings app stopped answering", problem.text)
        phone.wait_for(lambda s: s["screen"] == "home", "home after the stuck Settings app")
        self.assertFalse(alive(child))
        self.click("volume-up")
        self.wait_until(lambda: not problem.is_displayed(), "the message cleared by an input")

    def check_the_glass_darkens(self):
        # The lower the brightness, the darker the screen the page shows.
        self.tap(*self.icon("Maps"))
        # The glide ends within a step (a hundredth) of the stored level.
        self.phone.wait_for(lambda s: s["front"] == "com.apple.Maps" and abs(s["brightness"] - 0.2) < 0.015,
                            "Maps in front at brightness 0.2")
        self.assertLess(self.light_shown(), self.light_at_half - 0.1)
        self.click("home")
        self.phone.wait_for(lambda s: s["front"] is None and abs(s["brightness"] - 0.5) < 0.015, "home at half")


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--springboard", required=True)
    arguments, rest = parser.parse_known_args()
    SPRINGBOARD = arguments.springboard
    if not shutil.which("chromium") or not shutil.which("chromedriver"):
        print("phone.browser: skipped: chromium or chromedriver is not installed")
        sys.exit(SKIP)
    try:
        import selenium  # noqa: F401
    except ImportError:
        print("phone.browser: skipped: python3-selenium is not installed")
        sys.exit(SKIP)
    result = unittest.main(argv=[sys.argv[0]] + rest, verbosity=2, exit=False).result
    sys.exit(0 if result.wasSuccessful() else 1)
