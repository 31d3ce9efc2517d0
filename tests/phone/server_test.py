"""The live phone's server from outside: the address it prints, who it lets in, what it does
with bad requests, several pages at once, a page that stops reading, and stopping."""
import argparse
import base64
import json
import os
import signal
import socket
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from phone_process import PhoneProcess, alive  # noqa: E402

SPRINGBOARD = None


def open_events(phone, receive_buffer=None):
    """A raw connection to the push channel, its request sent."""
    connection = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    if receive_buffer:
        connection.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, receive_buffer)
    connection.connect(("127.0.0.1", phone.port))
    connection.sendall(("GET /api/events?token=%s HTTP/1.1\r\nHost: 127.0.0.1:%d\r\n"
                        "Accept: text/event-stream\r\n\r\n" % (phone.token, phone.port)).encode())
    return connection


def read_until(connection, marker, timeout=10):
    connection.settimeout(timeout)
    received = b""
    while marker not in received:
        chunk = connection.recv(65536)
        if not chunk:
            break
        received += chunk
    return received


def events_in(text):
    """The complete events (name, data) in what the channel sent (one chunk per frame)."""
    events, name = [], "message"
    for line in text.decode(errors="replace").split("\n"):
        line = line.rstrip("\r")
        if line.startswith("event: "):
            name = line[7:]
        elif line.startswith("data: "):
            events.append((name, line[6:]))
            name = "message"
    return events


def frames_in(text):
    """The states of the frame events in what the channel sent."""
    return [json.loads(data) for name, data in events_in(text) if name == "frame"]


def jpeg_size(jpeg):
    """(width, height) from a JPEG's frame header."""
    at = 2
    while at + 9 < len(jpeg):
        marker, length = jpeg[at + 1], int.from_bytes(jpeg[at + 2:at + 4], "big")
        if marker in (0xC0, 0xC1, 0xC2):
            return (int.from_bytes(jpeg[at + 7:at + 9], "big"), int.from_bytes(jpeg[at + 5:at + 7], "big"))
        at += 2 + length
    return None


def complete(text):
    """What was sent up to the end of its last complete event."""
    end = text.rfind(b"\n\n")
    return text[:end + 2] if end >= 0 else b""


def read_frame(connection, timeout=10):
    """What the channel sent up to the end of its next frame event."""
    connection.settimeout(timeout)
    received = b""
    while not frames_in(complete(received)):
        chunk = connection.recv(65536)
        if not chunk:
            break
        received += chunk
    return complete(received)


class Server(unittest.TestCase):
    def setUp(self):
        self.phone = PhoneProcess(SPRINGBOARD)

    def tearDown(self):
        self.phone.stop()

    def test_answers_only_the_token_from_its_own_name_and_pages(self):
        phone = self.phone
        self.assertEqual(phone.request("GET", "/api/state")[0], 200)
        self.assertEqual(phone.request("GET", "/?token=" + phone.token, token=False)[0], 200)
        # The token with its first character changed (to one it cannot already be).
        wrong = ("y" if phone.token[0] == "x" else "x") + phone.token[1:]
        for path in ("/", "/api/state", "/api/screen.jpg", "/api/events", "/phone.js"):
            self.assertEqual(phone.request("GET", path, token=False)[0], 403, path)
            self.assertEqual(phone.request("GET", path + "?token=" + wrong, token=False)[0],
                             403, path)
        self.assertEqual(phone.request("POST", "/api/button/volume-up", {}, token=False)[0], 403)
        # Another site's page, and a name of another server resolving here (DNS rebinding).
        self.assertEqual(phone.request("POST", "/api/button/volume-up", {},
                                       headers={"Origin": "http://evil.example"})[0], 403)
        self.assertEqual(phone.request("GET", "/api/state",
                                       headers={"Host": "evil.example:%d" % phone.port})[0], 403)
        self.assertEqual(phone.request("GET", "/api/state",
                                       headers={"Origin": "http://localhost:%d" % phone.port})[0], 200)
        self.assertEqual(phone.state()["volume"], 0.5, "a refused press changed the volume")

    def test_refused_on_every_route_from_another_site_or_name(self):
        phone = self.phone
        foreign = {"Origin": "http://evil.example"}
        other_port = {"Host": "localhost:%d" % (phone.port + 1 if phone.port < 65535 else 1)}
        for headers in (foreign, other_port, {"Origin": "null"}):
            self.assertEqual(phone.request("POST", "/api/pointer", {"type": "down", "x": 1, "y": 1},
                                           headers=headers)[0], 403, headers)
            self.assertEqual(phone.request("GET", "/api/events", headers=headers)[0], 403, headers)
            self.assertEqual(phone.request("GET", "/", headers=headers)[0], 403, headers)
        self.assertEqual(phone.request("GET", "/api/state",
                                       headers={"Host": "localhost:%d" % phone.port})[0], 200)

    def test_oversized_requests_are_refused_and_hold_no_memory(self):
        phone = self.phone
        # One header larger than a request's header may be.
        status, _ = phone.request("GET", "/api/state", headers={"X-Filler": "a" * 20000})
        self.assertEqual(status, 431)
        # Header lines without end: the connection is closed long before the phone grows.
        before = phone.resident_kib()
        flood = socket.create_connection(("127.0.0.1", phone.port))
        flood.sendall(("GET /api/state?token=%s HTTP/1.1\r\nHost: 127.0.0.1:%d\r\n"
                       % (phone.token, phone.port)).encode())
        line = b"X-Filler: " + b"a" * 4000 + b"\r\n"
        sent = 0
        with self.assertRaises(OSError, msg="the phone kept reading header lines"):
            flood.settimeout(10)
            while sent < 200_000_000:
                flood.sendall(line)
                sent += len(line)
        flood.close()
        self.assertLess(sent, 8_000_000)
        self.assertLess(phone.resident_kib() - before, 8 * 1024)
        self.assertEqual(phone.state()["volume"], 0.5)

    def test_bytes_that_are_not_text_anywhere_in_a_request_are_refused_and_the_phone_goes_on(self):
        phone = self.phone
        host = b"Host: 127.0.0.1:%d\r\n" % phone.port
        token = phone.token.encode()
        for request in (
                b"POST /api/button/\xff\xfe?token=" + token + b" HTTP/1.1\r\n" + host + b"Content-Length: 2\r\n\r\n{}",
                b"GET /api/state?token=\xff" + token + b" HTTP/1.1\r\n" + host + b"\r\n",
                b"GET /api/state?token=" + token + b" HTTP/1.1\r\nHost: 127.0.0.1:\xff\r\n\r\n",
                b"GET /api/state?token=" + token + b" HTTP/1.1\r\n" + host + b"Origin: http://\xc3\x28\r\n\r\n",
                b"GET /\x00\x01?token=" + token + b" HTTP/1.1\r\n" + host + b"\r\n"):
            connection = socket.create_connection(("127.0.0.1", phone.port))
            connection.sendall(request)
            answer = read_until(connection, b"\r\n\r\n")
            connection.close()
            status = int(answer.split(b" ")[1]) if answer.startswith(b"HTTP/1.1 ") else None
            self.assertTrue(status and 400 <= status < 500, (request[:40], answer[:60]))
            self.assertIsNone(phone.process.poll(), "the phone ended on %r" % request[:40])
        self.assertEqual(phone.state()["volume"], 0.5)

    def test_a_second_phone_cannot_take_the_port(self):
        second = subprocess.run([SPRINGBOARD, "--serve", "--port", str(self.phone.port), "--root",
                                 os.path.join(self.phone.folder.name, "second")],
                                capture_output=True, text=True, timeout=60)
        self.assertEqual(second.returncode, 1)
        self.assertEqual(second.stdout, "", "a phone that cannot listen prints no address")
        self.assertIn(str(self.phone.port), second.stderr)
        self.assertEqual(self.phone.request("GET", "/api/state")[0], 200)

    def test_a_settings_app_that_ends_on_its_own_goes_home(self):
        phone = self.phone
        phone.tap(*phone.icon("Settings"))
        phone.wait_for(lambda state: state["screen"] == "settings", "the Settings app")
        [child] = phone.descendants()
        os.kill(child, signal.SIGKILL)
        state = phone.wait_for(lambda state: state["screen"] == "home", "the home screen")
        self.assertEqual(state["front"], None)
        self.assertFalse(alive(child))
        self.assertNotIn(child, phone.descendants(), "the ended Settings app was not reaped")
        # It opens again.
        phone.tap(*phone.icon("Settings"))
        phone.wait_for(lambda state: state["screen"] == "settings", "the Settings app again")

    def test_bad_requests_get_a_client_error_and_change_nothing(self):
        phone = self.phone
        before = phone.state()
        for body in (b"{not json", b"[]", b'{"type": "down", "x": 1}', b'{"type": "jump", "x": 1, "y": 1}',
                     b'{"type": "down", "x": "1", "y": 1}', b'{"type": "down", "x": 1e308, "y": 1}',
                     b"\xff\xfe"):
            status, _ = phone.request("POST", "/api/pointer", body,
                                      headers={"Content-Type": "application/json"})
            self.assertEqual(status, 400, body)
        self.assertEqual(phone.request("POST", "/api/pointer", b"x" * 5000)[0], 413)
        self.assertEqual(phone.request("POST", "/api/button/eject", {})[0], 404)
        self.assertEqual(phone.request("GET", "/api/nothing")[0], 404)
        after = phone.state()
        self.assertEqual((after["volume"], after["menu"]["open"], after["front"]),
                         (before["volume"], before["menu"]["open"], before["front"]))

    def test_each_new_picture_comes_once_ahead_of_its_state(self):
        phone = self.phone
        tab = open_events(phone)
        first = events_in(read_frame(tab))
        self.assertEqual([name for name, _ in first], ["picture", "frame"])
        url = first[0][1]
        self.assertTrue(url.startswith("data:image/jpeg;base64,"), url[:40])
        shown = base64.b64decode(url.split(",", 1)[1], validate=True)
        self.assertEqual(shown, phone.request("GET", "/api/screen.jpg")[1])
        self.assertEqual(jpeg_size(shown), (750, 1334))

        # Another app's stored value: the state changes, the screen does not, so no picture.
        editor = os.path.join(os.path.dirname(SPRINGBOARD), "ValuesEditor")
        subprocess.run([editor, "--root", os.path.join(phone.folder.name, "root"), "store",
                        "com.apple.Mail", "volume", "0.3"], check=True, capture_output=True)
        seen = []
        while not any("com.apple.Mail" in state["values"] for state in frames_in(b"".join(seen))):
            seen.append(read_frame(tab))
        self.assertNotIn("picture", [name for name, _ in events_in(b"".join(seen))])

        # The volume overlay shows: a new picture, then the state that goes with it.
        phone.button("volume-up")
        events = events_in(read_frame(tab))
        self.assertEqual([name for name, _ in events], ["picture", "frame"])
        self.assertNotEqual(events[0][1], url)
        self.assertAlmostEqual(json.loads(events[1][1])["volume"], 0.5625, places=4)
        published = phone.frame_number()
        # A page that opens now is sent the picture on the screen at once (the same one, unless
        # the overlay hid meanwhile).
        other = open_events(phone)
        first_of_other = events_in(read_frame(other))[0]
        self.assertEqual(first_of_other[0], "picture")
        if phone.frame_number() == published:
            self.assertEqual(first_of_other, events[0])
        tab.close()
        other.close()

    def test_nothing_is_drawn_or_sent_while_the_phone_is_idle(self):
        phone = self.phone
        tab = open_events(phone)
        read_frame(tab)
        phone.button("volume-up")
        phone.wait_for(lambda state: not state["overlays"]["volume"], "the overlay hidden")
        time.sleep(0.3)  # the frame of the hidden overlay on its way
        tab.settimeout(0.5)
        try:
            while tab.recv(65536):  # what was sent so far
                pass
        except socket.timeout:
            pass
        first = phone.frame_number()
        tab.settimeout(2)
        with self.assertRaises(socket.timeout):
            tab.recv(65536)
        self.assertEqual(phone.frame_number(), first)
        phone.button("volume-down")
        self.assertGreater(phone.frame_number(), first)
        tab.close()

    def test_every_open_page_hears_of_a_change(self):
        phone = self.phone
        tabs = [open_events(phone) for _ in range(2)]
        for tab in tabs:
            self.assertEqual(frames_in(read_frame(tab))[-1]["volume"], 0.5)
        phone.button("volume-up")
        for tab in tabs:
            states = frames_in(read_frame(tab))
            self.assertAlmostEqual(states[-1]["volume"], 0.5625, places=4)
            tab.close()

    def test_a_page_that_stops_reading_is_dropped_and_the_phone_goes_on(self):
        phone = self.phone
        stuck = open_events(phone, receive_buffer=4096)
        read_frame(stuck)
        # Enough frames to fill every buffer on the way: each event carries the whole state.
        size = len(json.dumps(phone.state()))
        presses = max(200, 8_000_000 // size)
        start = time.monotonic()
        for index in range(presses):
            phone.button("volume-up" if index % 2 == 0 else "volume-down")
            if time.monotonic() - start > 90:
                break
        began = time.monotonic()
        phone.state()
        self.assertLess(time.monotonic() - began, 2, "the phone waited for the stuck page")
        # Dropped: what was buffered drains, then the connection ends.
        stuck.settimeout(15)
        try:
            while stuck.recv(1 << 20):
                pass
        except socket.timeout:
            self.fail("the page that stopped reading was not dropped")
        stuck.close()

    def test_the_finger_tells_a_tap_from_a_hold_and_a_drag(self):
        phone = self.phone
        x, y = phone.icon("Maps")
        # Held but moved away: neither the menu nor the app.
        phone.pointer("down", x, y)
        phone.pointer("move", x + 30, y + 5)
        time.sleep(0.8)
        phone.pointer("up", x + 30, y + 5)
        state = phone.state()
        self.assertEqual((state["menu"]["open"], state["front"]), (False, None))
        # Held still: the menu, and lifting the finger launches nothing.
        phone.pointer("down", x, y)
        phone.pointer("move", x + 3, y + 2)
        state = phone.wait_for(lambda s: s["menu"]["open"], "the held press's menu")
        phone.pointer("up", x + 3, y + 2)
        self.assertEqual(phone.state()["front"], None)
        self.assertEqual(state["menu"]["bundleId"], "com.apple.Maps")
        # Outside the menu: it closes; a quick tap then launches.
        phone.tap(360, 650)
        self.assertFalse(phone.state()["menu"]["open"])
        phone.tap(x, y)
        state = phone.state()
        self.assertEqual((state["front"], state["screen"]), ("com.apple.Maps", "app"))
        phone.button("home")
        self.assertEqual(phone.state()["screen"], "home")

    def test_at_most_sixteen_pages_listen(self):
        tabs = [open_events(self.phone) for _ in range(16)]
        for tab in tabs:
            read_frame(tab)
        extra = open_events(self.phone)
        self.assertIn(b" 503 ", read_until(extra, b"\r\n", 10))
        for tab in tabs + [extra]:
            tab.close()


class Stopping(unittest.TestCase):
    def check_stops(self, how):
        """Stopped with the Settings app open and clients in every kind of wait: a page on the
        push channel, an idle kept connection, a request half sent, a page that stopped
        reading."""
        phone = PhoneProcess(SPRINGBOARD)
        phone.tap(*phone.icon("Settings"))
        phone.wait_for(lambda state: state["screen"] == "settings", "the Settings app")
        started = phone.descendants()
        self.assertTrue(started, "the Settings app runs as a process of its own")
        listening = open_events(phone)
        read_frame(listening)
        stuck = open_events(phone, receive_buffer=4096)
        kept = socket.create_connection(("127.0.0.1", phone.port))
        kept.sendall(("GET /api/state?token=%s HTTP/1.1\r\nHost: 127.0.0.1:%d\r\n\r\n"
                      % (phone.token, phone.port)).encode())
        read_until(kept, b"}")
        half = socket.create_connection(("127.0.0.1", phone.port))
        half.sendall(b"POST /api/pointer HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 100\r\n\r\n{")
        time.sleep(0.2)
        began = time.monotonic()
        phone.process.send_signal(how)
        phone.process.wait(10)
        took = time.monotonic() - began
        rest = phone.process.stdout.read()
        phone.stop()
        self.assertEqual(phone.process.returncode, 0)
        self.assertEqual(rest, "", "the address is the only line on standard output")
        self.assertLess(took, 1)
        self.assertEqual([pid for pid in started if alive(pid)], [])
        for connection in (listening, stuck, kept, half):
            connection.close()

    def test_sigint_ends_the_phone_and_every_process_it_started(self):
        self.check_stops(signal.SIGINT)

    def test_sigterm_too(self):
        self.check_stops(signal.SIGTERM)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--springboard", required=True)
    arguments, rest = parser.parse_known_args()
    SPRINGBOARD = arguments.springboard
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
