"""Hostile uploads against a running app: spreadsheet bombs, entity expansion, external entities,
a CSV of too many points and a request beyond what the server reads, each sent as the page sends
an upload. Prints, per file, the seconds until the answer, the server's peak resident memory (VmHWM) so
far and the message the page shows, and whether a sound file uploaded
afterwards is read. The server listens on 127.0.0.1 only.

    .venv/bin/python benchmarks/bench_hostile_uploads.py [--upload-limit MB]
"""

import argparse
import base64
import json
import pathlib
import socket
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request

from timing import machine_description

ROOT = pathlib.Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests"))

import hostile_files  # noqa: E402

SOUND = ROOT / "examples" / "data" / "exampleDataBioLogic.mpt"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def post(url, payload, timeout=120):
    request = urllib.request.Request(url + "_dash-update-component", data=json.dumps(payload).encode(),
                                     headers={"Content-Type": "application/json"})
    try:
        with urllib.request.urlopen(request, timeout=timeout) as answer:
            return answer.status, json.loads(answer.read() or b"null")
    except urllib.error.HTTPError as error:
        return error.code, error.read().decode(errors="replace")


def component(layout, identifier):
    pending = [layout]
    while pending:
        item = pending.pop()
        if isinstance(item, dict):
            if item.get("props", {}).get("id") == identifier:
                return item["props"]
            pending.extend(item.values())
        elif isinstance(item, list):
            pending.extend(item)
    raise LookupError(identifier)


class Page:
    """One page of the app, driving its callbacks the way the browser does."""

    def __init__(self, url):
        self.url = url
        with urllib.request.urlopen(url + "_dash-layout", timeout=60) as answer:
            self.workspace = component(json.load(answer), "workspace-id")["data"]
        with urllib.request.urlopen(url + "_dash-dependencies", timeout=60) as answer:
            self.callbacks = json.load(answer)

    def _call(self, changed, values):
        callback = next(item for item in self.callbacks
                        if any(f"{i['id']}.{i['property']}" == changed for i in item["inputs"]))
        output = callback["output"]
        parts = output[2:-2].split("...") if output.startswith("..") else [output]
        outputs = [dict(zip(("id", "property"), part.rsplit(".", 1))) for part in parts]

        def listed(items):
            return [{**item, "value": values.get(f"{item['id']}.{item['property']}")} for item in items]

        payload = {"output": output, "outputs": outputs if len(outputs) > 1 else outputs[0],
                   "inputs": listed(callback["inputs"]), "changedPropIds": [changed],
                   "state": listed(callback.get("state", []))}
        return post(self.url, payload)

    def upload(self, name, raw):
        contents = "data:application/octet-stream;base64," + base64.b64encode(raw).decode()
        return self._call("upload.contents", {"upload.contents": [contents], "upload.filename": [name],
                                              "workspace-id.data": self.workspace, "spectra-table.selected_rows": []})

    def shown(self):
        status, answer = self._call("revision.data", {"revision.data": 1, "workspace-id.data": self.workspace})
        response = answer["response"] if isinstance(answer, dict) else {}
        items = response.get("load-errors", {}).get("children", [])
        return response.get("spectra-table", {}).get("data", []), [text_of(item) for item in items]


def text_of(item):
    """The text a component tree shows."""
    if isinstance(item, dict):
        return text_of(item.get("props", {}).get("children", ""))
    if isinstance(item, list):
        return "".join(map(text_of, item))
    return str(item)


def peak_resident_mb(pid):
    for line in pathlib.Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmHWM:"):
            return int(line.split()[1]) / 1024
    return float("nan")


def main():
    options = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    options.add_argument("--upload-limit", type=float, default=8.0, metavar="MB",
                         help="the server's upload limit (default 8: 8 times it is 64 MB, which the largest file passes)")
    arguments = options.parse_args()
    limit = int(arguments.upload_limit * 2 ** 20)
    port = free_port()
    url = f"http://127.0.0.1:{port}/"
    server = subprocess.Popen([sys.executable, "-m", "corvex.app", "--no-browser", "--port", str(port),
                               "--upload-limit", str(arguments.upload_limit)], stderr=subprocess.DEVNULL)
    try:
        deadline = time.monotonic() + 60
        while True:
            try:
                urllib.request.urlopen(url, timeout=1)
                break
            except OSError:
                if time.monotonic() > deadline or server.poll() is not None:
                    raise SystemExit("the app did not start")
                time.sleep(0.2)
        page = Page(url)
        print(machine_description())
        print(f"server started: peak resident {peak_resident_mb(server.pid):.0f} MB")
        worst = 0.0
        with tempfile.TemporaryDirectory() as folder:
            builders = dict(hostile_files.HOSTILE)
            builders["long.csv"] = lambda path: hostile_files.long_csv(path, 350_000)
            builders["beyond-8x.csv"] = lambda path: hostile_files.long_csv(path, int(8.5 * limit / 18))
            for name, build in builders.items():
                path = build(pathlib.Path(folder) / name)
                start = time.perf_counter()
                status, _answer = page.upload(name, path.read_bytes())
                seconds = time.perf_counter() - start
                worst = max(worst, seconds)
                path.unlink()
                rows, errors = page.shown()
                shown = [text for text in errors if text.startswith(name)]
                if isinstance(_answer, dict) and "load-errors" in _answer.get("response", {}):
                    shown = [text_of(_answer["response"]["load-errors"]["children"])]  # the answer to a request too large
                message = shown[-1] if shown else f"read: {len(rows)} spectra listed"
                print(f"{name:22} {seconds:6.2f} s {peak_resident_mb(server.pid):5.0f} MB  {message}")
        status, _answer = page.upload(SOUND.name, SOUND.read_bytes())
        rows, _errors = page.shown()
        sound = status == 200 and any(row.get("spectrum") == SOUND.name for row in rows)
        print(f"slowest answer {worst:.2f} s; server peak resident {peak_resident_mb(server.pid):.0f} MB; "
              f"next upload read: {'yes' if sound else 'NO'}")
    finally:
        server.terminate()
        server.wait(10)


if __name__ == "__main__":
    main()
