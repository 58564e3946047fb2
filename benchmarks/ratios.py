"""This build against a base build, side by side: each runs in its own venv as a long-lived
worker (ratio_worker.py), the two take turns call by call on the same inputs, and every figure
is reported as base, this and their ratio, with its goal.

On a machine shared with others' builds a neighbour's load falls on both sides alike when
they alternate; each side keeps its best of several rounds."""

import json
import os
import pathlib
import subprocess
import sys
import tempfile

import numpy as np

import corvex
from profile_workload import randles_spectra

HERE = pathlib.Path(__file__).resolve().parent
WORKER = HERE / "ratio_worker.py"

POINTS = 60
FREQUENCIES = np.logspace(-2, 5, POINTS)
CHANNELS = {"rc": 16, "sei_randles": 64, "sei_randles_wo": 64}  # the rest have 32
GUESS_GOALS = {32: 2.0, 64: 2.5}
# Plausible cells for the default fits: the guess has real work to do and the fit converges.
FIT_CELLS = {"randles": [15.0, 80.0, 30.0, 1e-5, 0.88], "rq": [20.0, 100.0, 2e-5, 0.85]}
FIT_GOAL = 1.6
BATCH_SPECTRA = 1000
BATCH_GOAL = 3000.0  # Randles spectra per second on two workers
SCALING_GOAL = 1.9   # two workers against one
LOOP_SHARE = 0.97    # one worker against a loop of Circuit.fit(): within 3 %
RANK_GOAL = 12e-3    # seconds per 60-point spectrum, all eleven topologies, one core
ROUNDS = 5
REQUEST_SECONDS = 0.15  # length of one timed request of guess() or fit()


class Side:
    """A worker process running under one venv's python."""

    def __init__(self, python, inputs):
        environment = {name: value for name, value in os.environ.items() if name != "PYTHONPATH"}
        self.process = subprocess.Popen([python, str(WORKER), inputs], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, text=True, cwd=HERE, env=environment)

    def ask(self, measure, **arguments):
        self.process.stdin.write(json.dumps({"measure": measure, **arguments}) + "\n")
        self.process.stdin.flush()
        line = self.process.stdout.readline()
        if not line:
            raise SystemExit(f"the worker stopped answering ({measure}); its error is above")
        return json.loads(line)

    def close(self):
        self.process.stdin.close()
        self.process.wait()


def write_inputs(path):
    rng = np.random.default_rng(5)
    arrays = {}

    def add(name, circuit, values):
        z = np.asarray(circuit.with_values(values).impedance(FREQUENCIES))
        arrays["f_" + name] = FREQUENCIES
        arrays["z_" + name] = z * (1 + 0.01 * (rng.standard_normal(POINTS) + 1j * rng.standard_normal(POINTS)))

    for key in corvex.Circuit.ml_circuits():
        circuit = corvex.Circuit(key)
        add(key, circuit, circuit.param_values())
    for key, values in FIT_CELLS.items():
        add("fit-" + key, corvex.Circuit(key), values)
    spectra = randles_spectra(BATCH_SPECTRA)
    arrays["batch_f"] = spectra[0][0]
    arrays["batch_z"] = np.stack([z for _, z in spectra])
    np.savez(path, **arrays)


def turn_order(sides, round_number):
    """The sides' names, the first one going first in even rounds and last in odd ones."""
    return list(sides) if round_number % 2 == 0 else list(sides)[::-1]


def in_turns(sides, measure, rounds=ROUNDS, **arguments):
    """Every side's replies to the same request, in turns round by round."""
    replies = {name: [] for name in sides}
    for round_number in range(rounds):
        for name in turn_order(sides, round_number):
            replies[name].append(sides[name].ask(measure, **arguments))
    return replies


def best(replies, key="seconds"):
    return min(reply[key] for reply in replies)


def verdict(met):
    return "met" if met else "MISSED"


def same_bits(replies):
    return replies["base"][-1]["digest"] == replies["this"][-1]["digest"]


def calls_for(sides, measure, **arguments):
    """Calls per request for about REQUEST_SECONDS, after one call on each side that also loads
    what the first call loads (the network weights)."""
    first = {name: side.ask(measure, calls=1, **arguments) for name, side in sides.items()}
    return max(1, int(REQUEST_SECONDS / max(min(reply["seconds"] for reply in first.values()), 1e-7)))


def machine():
    model = "unknown processor"
    with open("/proc/cpuinfo") as info:
        for line in info:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    return f"{model}, {len(os.sched_getaffinity(0))} logical processors"


def load():
    return " ".join(f"{value:.2f}" for value in os.getloadavg())


def revision_of_this_tree():
    def git(*arguments):
        return subprocess.run(["git", *arguments], cwd=HERE, capture_output=True, text=True).stdout.strip()

    dirty = " with uncommitted changes" if git("status", "--porcelain", "--untracked-files=no") else ""
    return git("rev-parse", "--short=12", "HEAD") + dirty


def measure(sides, lines):
    """Runs every figure in turns and appends the report's lines."""
    def out(text=""):
        print(text, flush=True)
        lines.append(text)

    identical = []
    models = sides["this"].ask("about")["models"]
    # Rounds outermost: a figure's rounds spread over the whole section, so a neighbour's burst
    # of load spoils one round of it rather than all of them.
    ordered = [model for channels in (16, 32, 64) for model in models if CHANNELS.get(model, 32) == channels]
    requests = [("guess", model) for model in ordered] + [("fit", model) for model in FIT_CELLS]
    calls = {request: calls_for(sides, request[0], model=request[1]) for request in requests}
    replies = {request: {name: [] for name in sides} for request in requests}
    for round_number in range(ROUNDS):
        for request in requests:
            for name in turn_order(sides, round_number):
                replies[request][name].append(sides[name].ask(request[0], model=request[1], calls=calls[request]))

    out(f"guess(), {POINTS} points, per call            base        this   ratio  goal")
    for model in ordered:
        found = replies[("guess", model)]
        base, this = best(found["base"], "fastest"), best(found["this"], "fastest")
        channels = CHANNELS.get(model, 32)
        goal = GUESS_GOALS.get(channels)
        goal_text = f">= {goal:.1f}x {verdict(base / this >= goal)}" if goal else "-"
        out(f"  {channels:2d} ch  {model:16} {base * 1e6:12.1f} us {this * 1e6:8.1f} us {base / this:6.2f}x  {goal_text}")
        identical.append(("guess " + model, same_bits(found)))
    out()
    out("default fit(), per call                       base        this   ratio  goal")
    for model in FIT_CELLS:
        found = replies[("fit", model)]
        base, this = best(found["base"], "fastest"), best(found["this"], "fastest")
        out(f"  {model:28} {base * 1e6:12.1f} us {this * 1e6:8.1f} us {base / this:6.2f}x  "
            f">= {FIT_GOAL:.1f}x {verdict(base / this >= FIT_GOAL)}")
        identical.append(("fit " + model, same_bits(found)))
    out()

    # Each round, on each side: the whole batch on two workers and on one, then the one-worker
    # batch and the loop of Circuit.fit() in turns over each half of the spectra (a half: a
    # batch's fixed cost, about 3 ms for the pandas table, stays near half a percent). Ratios
    # within a side come from runs next to each other, which share the machine's load (it
    # drifts between rounds), and are medians over the rounds (the loop: over every half).
    batch = {run: {name: [] for name in sides} for run in ("two", "one", "half", "loop")}
    half = BATCH_SPECTRA // 2
    for name in sides:
        sides[name].ask("batch_fit", workers=2, count=20)  # loads the network
    for round_number in range(ROUNDS):
        for name in turn_order(sides, round_number):
            side = sides[name]
            whole = [("two", 2), ("one", 1)] if round_number % 2 == 0 else [("one", 1), ("two", 2)]
            for run, workers in whole:
                batch[run][name].append(side.ask("batch_fit", workers=workers, count=BATCH_SPECTRA))
            for k in range(2):
                pair = [("half", "batch_fit"), ("loop", "fit_loop")]
                for run, measure_name in pair if (k + round_number) % 2 == 0 else pair[::-1]:
                    arguments = {"workers": 1} if run == "half" else {}
                    batch[run][name].append(side.ask(measure_name, count=half, start=k * half, **arguments))

    def median_ratio(name, numerator, denominator, key="seconds"):
        return float(np.median([a[key] / b[key] for a, b in zip(batch[numerator][name], batch[denominator][name])]))

    rate = {name: BATCH_SPECTRA / best(batch["two"][name]) for name in sides}
    one_rate = {name: BATCH_SPECTRA / best(batch["one"][name]) for name in sides}
    fastest_scaling = {name: rate[name] / one_rate[name] for name in sides}
    scaling = {name: median_ratio(name, "one", "two") for name in sides}
    versus_loop = {name: median_ratio(name, "loop", "half") for name in sides}
    versus_loop_cpu = {name: median_ratio(name, "loop", "half", "cpu") for name in sides}
    busy = {name: max(reply["cpu"] / reply["seconds"] for reply in batch["two"][name]) for name in sides}
    out(f"batch of {BATCH_SPECTRA} Randles spectra ({POINTS} points, network guesses, robust=False, intervals=False)")
    out(f"                                              base        this   ratio  goal")
    out(f"  2 workers, spectra/s              {rate['base']:12.0f} {rate['this']:11.0f} {rate['this'] / rate['base']:7.2f}x  "
        f">= {BATCH_GOAL:.0f}/s {verdict(rate['this'] >= BATCH_GOAL)}")
    out(f"  1 worker, spectra/s               {one_rate['base']:12.0f} {one_rate['this']:11.0f} "
        f"{one_rate['this'] / one_rate['base']:7.2f}x")
    out(f"  2 workers against 1, fastest runs {fastest_scaling['base']:11.2f}x {fastest_scaling['this']:10.2f}x")
    out(f"  2 workers against 1, by rounds    {scaling['base']:11.2f}x {scaling['this']:10.2f}x {'':7}   "
        f">= {SCALING_GOAL:.1f}x {verdict(scaling['this'] >= SCALING_GOAL)}")
    out(f"  cores busy on 2 workers, most     {busy['base']:12.2f} {busy['this']:11.2f}")
    out(f"  1 worker against Circuit.fit() loop {versus_loop_cpu['base']:9.3f}x {versus_loop_cpu['this']:10.3f}x {'':7}   "
        f">= {LOOP_SHARE:.2f}x {verdict(versus_loop_cpu['this'] >= LOOP_SHARE)}")
    out(f"    the same in wall time             {versus_loop['base']:9.3f}x {versus_loop['this']:10.3f}x")
    identical.append(("batch rows", same_bits(batch["two"])))
    identical.append(("fit() loop", same_bits(batch["loop"])))
    out()

    calls = calls_for(sides, "rank")
    replies = in_turns(sides, "rank", calls=calls)
    base, this = best(replies["base"], "fastest_cpu"), best(replies["this"], "fastest_cpu")
    out(f"ranking of all {len(models)} topologies, per {POINTS}-point Randles spectrum, n_jobs=1")
    out(f"                                              base        this   ratio  goal")
    out(f"  rank_circuits()                  {base * 1e3:12.2f} ms {this * 1e3:8.2f} ms {base / this:6.2f}x  "
        f"<= {RANK_GOAL * 1e3:.0f} ms {verdict(this <= RANK_GOAL)}")
    identical.append(("ranking", same_bits(replies)))
    out()
    differing = [name for name, same in identical if not same]
    out("Same numbers as the base (guesses, fitted values and costs, batch rows, ranking AICc): "
        + ("all" if not differing else "all but " + ", ".join(differing)))


def run(base_python, base_revision, output=None):
    base_python = str(pathlib.Path(base_python).absolute())  # a venv's python is a link: never resolved
    lines = [
        f"This tree ({revision_of_this_tree()}, .venv) against the base build {base_revision} "
        f"({os.path.relpath(pathlib.Path(base_python).parent.parent, HERE.parent)}), side by side:",
        "each in its own venv as a long-lived worker, the two taking turns request by request on the",
        f"same inputs, best of {ROUNDS} rounds per side. Ratios are base time / this time.",
        "A call on one thread counts as its fastest single call, the one a neighbour's load disturbed",
        "least (guess, fit: wall time; ranking, tens of milliseconds long: processor time). Batches:",
        "spectra/s from the fastest run; the scaling and the loop comparison (half of the spectra",
        "at a time, processor time) are medians of ratios of neighbouring runs; 'cores busy'",
        "(processor time over wall time) says how much of the two processors the workers were given.",
        f"Machine: {machine()}; load average (1, 5, 15 min) at start {load()}",
        "Command: make bench (BENCH_BASE=<revision> for another base)",
        "",
    ]
    for line in lines:
        print(line)
    with tempfile.TemporaryDirectory() as scratch:
        inputs = str(pathlib.Path(scratch) / "inputs.npz")
        write_inputs(inputs)
        sides = {"base": Side(base_python, inputs), "this": Side(sys.executable, inputs)}
        try:
            measure(sides, lines)
        finally:
            for side in sides.values():
                side.close()
    end = f"Load average at end {load()}"
    print(end)
    lines.append(end)
    if output is not None:
        pathlib.Path(output).write_text("\n".join(lines) + "\n")
        print(f"written to {output}")
