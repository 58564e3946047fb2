"""Time from SIGINT to KeyboardInterrupt for long calls interrupted 50 ms after they start,
next to how long each call runs uninterrupted (a global fit with default settings, a large
impedance and a large Jacobian), measured in the same run."""

import signal
import statistics
import threading
import time

import numpy as np

import corvex
from timing import machine_description

NOTATION = "R0-(R1,C1)-(R2,CPE1)"
VALUES = [10.0, 50.0, 1e-5, 200.0, 1e-3, 0.8]
F = np.logspace(-2, 5, 60)
Z = corvex.Circuit(NOTATION).with_values(VALUES).impedance(F) * 1.01
BIG_F = np.logspace(-3, 6, 4_000_000)
LONG_F = np.logspace(-3, 6, 200_000)
LONG_Z = corvex.Circuit(NOTATION).with_values(VALUES).impedance(LONG_F)

CALLS = {
    "fit, differential_evolution": lambda: corvex.Circuit(NOTATION).fit(
        F, Z, guess_init=False, method="differential_evolution"),
    "fit, particle_swarm": lambda: corvex.Circuit(NOTATION).fit(F, Z, guess_init=False, method="particle_swarm"),
    "impedance, 4e6 points": lambda: corvex.Circuit(NOTATION).with_values(VALUES).impedance(BIG_F),
    "jacobian, 2e5 points x 24": lambda: corvex.Circuit(NOTATION).jacobian(VALUES * 4, LONG_F, LONG_Z),
}


def latency(call, delay):
    sent = []

    def send():
        sent.append(time.perf_counter())
        signal.pthread_kill(threading.main_thread().ident, signal.SIGINT)

    timer = threading.Timer(delay, send)
    timer.start()
    try:
        call()
    except KeyboardInterrupt:
        return time.perf_counter() - sent[0]
    try:
        timer.cancel()
        timer.join()
    except KeyboardInterrupt:
        pass  # the call ended just before the signal
    return float("nan")


def main():
    print(f"Ctrl-C latency  [{machine_description()}]")
    print(f"{'call':28} {'uninterrupted':>14} {'median latency':>15} {'worst':>8}")
    for name, call in CALLS.items():
        start = time.perf_counter()
        call()
        whole = time.perf_counter() - start
        latencies = [latency(call, 0.05) for _ in range(5)]
        print(f"{name:28} {whole:13.2f}s {statistics.median(latencies) * 1e3:13.1f}ms "
              f"{max(latencies) * 1e3:6.1f}ms")


if __name__ == "__main__":
    main()
