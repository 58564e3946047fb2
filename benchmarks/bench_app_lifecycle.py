"""The app as a server left running: how long Cancel takes to stop a fit, a batch and a ranking
(next to how long the fit runs uncancelled, in the same run), and the server's resident memory
across 1,000 page reloads against an app on 127.0.0.1."""

import json
import socket
import subprocess
import sys
import time
import urllib.request

import numpy as np

import corvex
from corvex.app.jobs import fit_job, rank_job
from corvex.app.uploads import Spectrum
from corvex.app.workspace import Workspace
from timing import machine_description

NOTATION = "R0-p(R1,CPE1)-p(R2,CPE2)"
VALUES = [0.1, 0.5, 1e-3, 0.9, 1.0, 1e-1, 0.8]
LONG_NOTATION = "R0-p(R1,CPE1)-p(R2,CPE2)-p(R3,CPE3)"
LONG_VALUES = [0.1, 0.5, 1e-3, 0.9, 1.0, 1e-1, 0.8, 2.0, 1.0, 0.9]
RELOADS = 1000


def spectrum(name, source, points, seed=0, notation=NOTATION, values=VALUES):
    frequencies = np.geomspace(1e5, 1e-2, points)
    noise = np.random.default_rng(seed).normal(scale=1e-3, size=(2, points))
    z = corvex.Circuit(notation).with_values(values).impedance(frequencies)
    return Spectrum(name=name, source=source, frequencies=frequencies, impedances=z * (1 + noise[0] + 1j * noise[1]))


def cancel_latency(start_job, delay):
    """Seconds from cancel() to the job's end, cancelled `delay` seconds after it started."""
    job = start_job()
    time.sleep(delay)
    clicked = time.perf_counter()
    job.cancel()
    job.wait()
    assert job.state()["error"] == "cancelled", job.state()
    return time.perf_counter() - clicked


def cancel_figures():
    three_arcs = corvex.Circuit(LONG_NOTATION)
    long = spectrum("long", "long.csv", 30_000, notation=LONG_NOTATION, values=LONG_VALUES)
    series = [spectrum(f"s{i}", "series.csv", 16_000, seed=i) for i in range(2)]
    circuit = corvex.Circuit(NOTATION)
    if "--with-reference" in sys.argv:  # minutes on a shared machine
        started = time.perf_counter()
        fit_job(Workspace(spectra=[long]), three_arcs, LONG_NOTATION, [0]).wait()
        print(f"uncancelled fit of a 30,000-point spectrum with three arcs: {time.perf_counter() - started:.1f} s")
    cases = {
        "Fit selected, one 30,000-point spectrum": (
            lambda: fit_job(Workspace(spectra=[long]), three_arcs, LONG_NOTATION, [0]), (0.2, 1.0, 3.0, 6.0, 12.0)),
        "Fit all, two 16,000-point spectra": (
            lambda: fit_job(Workspace(spectra=series), circuit, NOTATION, [0, 1]), (0.5, 2.0, 5.0)),
        "Suggest on a 16,000-point spectrum": (lambda: rank_job(Workspace(spectra=series), 0), (0.5, 2.0, 5.0)),
    }
    for label, (start, delays) in cases.items():
        times = ", ".join(f"{delay:g} s: {cancel_latency(start, delay) * 1000:.0f} ms" for delay in delays)
        print(f"cancel latency, {label}, by time of the click after the start: {times}")


def resident_mb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    raise RuntimeError("no VmRSS")


def request(url, body=None):
    data = None if body is None else json.dumps(body).encode()
    headers = {"Content-Type": "application/json"} if data else {}
    with urllib.request.urlopen(urllib.request.Request(url, data=data, headers=headers), timeout=30) as answer:
        return json.loads(answer.read())


def find(node, identifier):
    """The props of the component with this id in a Dash layout."""
    if isinstance(node, dict):
        props = node.get("props", {})
        if props.get("id") == identifier:
            return props
        for value in props.values():
            found = find(value, identifier)
            if found is not None:
                return found
    elif isinstance(node, list):
        for item in node:
            found = find(item, identifier)
            if found is not None:
                return found
    return None


def reload_figures():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    server = subprocess.Popen([sys.executable, "-m", "corvex.app", "--no-browser", "--port", str(port)],
                              stderr=subprocess.DEVNULL)
    base = f"http://127.0.0.1:{port}/"
    try:
        for _ in range(300):
            try:
                urllib.request.urlopen(base, timeout=1)
                break
            except OSError:
                time.sleep(0.1)
        adopt = next(item for item in request(base + "_dash-dependencies")
                     if item["output"].startswith("..workspace-id.data"))
        outputs = [dict(zip(("id", "property"), part.split(".", 1)))
                   for part in adopt["output"].strip(".").split("...")]

        def reload(kept):
            # What a browser does on a reload: fetch the page's layout (the server issues an id)
            # and take back the workspace its tab kept.
            issued = find(request(base + "_dash-layout"), "issued-id")["data"]
            body = {"output": adopt["output"], "outputs": outputs,
                    "inputs": [{"id": "candidate-id", "property": "data", "value": kept or issued}],
                    "state": [{"id": "issued-id", "property": "data", "value": issued}],
                    "changedPropIds": ["candidate-id.data"]}
            return request(base + "_dash-update-component", body)["response"]["workspace-id"]["data"]

        kept = None
        for _ in range(20):  # warm up: first imports and caches
            kept = reload(kept)
        before = resident_mb(server.pid)
        for _ in range(RELOADS):
            assert reload(kept) == kept
        after = resident_mb(server.pid)
        # A made-up id creates nothing: the page gets the id the server issued.
        assert reload("made-up-id-made-up-id") != "made-up-id-made-up-id"
        print(f"server resident memory over {RELOADS} reloads: {before:.0f} MB -> {after:.0f} MB "
              f"({after - before:+.1f} MB)")
    finally:
        server.terminate()
        server.wait(10)


if __name__ == "__main__":
    print(machine_description())
    if "--reloads-only" not in sys.argv:
        cancel_figures()
    reload_figures()
