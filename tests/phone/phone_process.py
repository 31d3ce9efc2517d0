"""A live phone (SpringBoard --serve) started for a test, on a device root of its own, and
the little HTTP it takes to drive it: each request carries the token and names the server
in its Host header, as a browser would."""
import http.client
import json
import os
import re
import select
import signal
import subprocess
import tempfile
import time

ADDRESS = re.compile(r"^http://127\.0\.0\.1:(\d+)/\?token=([A-Za-z0-9_-]+)$")


class PhoneProcess:
    def __init__(self, springboard, extra=()):
        self.folder = tempfile.TemporaryDirectory(prefix="morvane-phone-test-")
        self.process = subprocess.Popen(
            [springboard, "--serve", "--port", "0", "--root", os.path.join(self.folder.name, "root"),
             *extra],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        ready, _, _ = select.select([self.process.stdout], [], [], 60)
        if not ready:
            self.stop()
            raise AssertionError("the phone printed no address within 60 s")
        self.line = self.process.stdout.readline().rstrip("\n")
        match = ADDRESS.match(self.line)
        if not match:
            self.stop()
            raise AssertionError("not the page's address: %r" % self.line)
        self.port, self.token = int(match.group(1)), match.group(2)
        self.url = self.line

    def request(self, method, path, body=None, headers=None, token=True):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=30)
        if token:
            path += ("&" if "?" in path else "?") + "token=" + self.token
        sent = {"Host": "127.0.0.1:%d" % self.port}
        sent.update(headers or {})
        data = body if isinstance(body, (bytes, type(None))) else json.dumps(body).encode()
        connection.request(method, path, body=data, headers=sent)
        answer = connection.getresponse()
        content = answer.read()
        connection.close()
        return answer.status, content

    def frame_number(self):
        """The number of the latest picture the phone published."""
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=30)
        connection.request("GET", "/api/screen.jpg?token=" + self.token,
                           headers={"Host": "127.0.0.1:%d" % self.port})
        answer = connection.getresponse()
        answer.read()
        connection.close()
        return int(answer.getheader("X-Frame"))

    def state(self):
        status, content = self.request("GET", "/api/state")
        assert status == 200, (status, content)
        return json.loads(content)

    def pointer(self, kind, x, y):
        status, content = self.request("POST", "/api/pointer", {"type": kind, "x": x, "y": y})
        assert status == 200, (status, content)

    def tap(self, x, y):
        self.pointer("down", x, y)
        self.pointer("up", x, y)

    def button(self, name):
        status, content = self.request("POST", "/api/button/" + name, {})
        assert status == 200, (status, content)

    def icon(self, label):
        for icon in self.state()["icons"]:
            if icon["label"] == label:
                x, y, width, height = icon["frame"]
                return x + width / 2, y + height / 2
        raise AssertionError("no icon labelled " + label)

    def wait_for(self, condition, what, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            state = self.state()
            if condition(state):
                return state
            time.sleep(0.05)
        raise AssertionError("waited %g s for %s" % (timeout, what))

    def resident_kib(self):
        """The phone's resident memory."""
        with open("/proc/%d/status" % self.process.pid) as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
        raise AssertionError("no VmRSS")

    def descendants(self):
        """Process ids of every process this phone started (children's children too)."""
        found, queue = [], [self.process.pid]
        while queue:
            pid = queue.pop()
            try:
                for task in os.listdir("/proc/%d/task" % pid):
                    with open("/proc/%d/task/%s/children" % (pid, task)) as children:
                        for child in children.read().split():
                            found.append(int(child))
                            queue.append(int(child))
            except OSError:
                pass
        return found

    def stop(self, how=signal.SIGINT, timeout=10):
        if self.process.poll() is None:
            self.process.send_signal(how)
            try:
                self.process.wait(timeout)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process.stdout.close()
        self.process.stderr.close()
        self.folder.cleanup()
        return self.process.returncode


def alive(pid):
    """Whether the process exists and has not ended (a zombie has ended)."""
    try:
        with open("/proc/%d/stat" % pid) as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] not in ("Z", "X")
    except OSError:
        return False
