"""Small timing helpers shared by the benchmarks: best-of-repeats per-call time and a
description of the machine the numbers were measured on."""

import os
import platform
import time


def per_call_seconds(fn, min_time=0.2, repeats=5):
    """Best average time of one call over `repeats` batches each lasting about `min_time`."""
    calls = 1
    while True:
        start = time.perf_counter()
        for _ in range(calls):
            fn()
        elapsed = time.perf_counter() - start
        if elapsed >= min_time / 4 or calls >= 1 << 22:
            break
        calls *= 4
    calls = max(1, int(calls * (min_time / max(elapsed, 1e-9))))
    best = float("inf")
    for _ in range(repeats):
        start = time.perf_counter()
        for _ in range(calls):
            fn()
        best = min(best, (time.perf_counter() - start) / calls)
    return best


def machine_description():
    cpu = platform.processor() or "unknown cpu"
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    cpu = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    return f"{cpu}, {os.cpu_count()} logical processors, Python {platform.python_version()}"


def format_time(seconds):
    if seconds < 1e-6:
        return f"{seconds * 1e9:8.1f} ns"
    if seconds < 1e-3:
        return f"{seconds * 1e6:8.2f} us"
    return f"{seconds * 1e3:8.2f} ms"
