# A probe for whether a call releases the interpreter lock: a second thread keeps taking
# timestamps, and a call that held the lock throughout shows up as one long stall.
import threading
import time


def longest_stall_fraction(call):
    """Runs call() and returns the longest pause of a busy Python thread during it, as a
    fraction of the call's duration (near 1 when the call kept the lock)."""
    stalls = []
    stop = threading.Event()
    started = threading.Event()

    def tick():
        last = time.perf_counter()
        started.set()
        while not stop.is_set():
            now = time.perf_counter()
            if now - last > 0.005:
                stalls.append((last, now))
            last = now

    worker = threading.Thread(target=tick)
    worker.start()
    started.wait()
    time.sleep(0.02)
    begin = time.perf_counter()
    call()
    end = time.perf_counter()
    stop.set()
    worker.join()
    longest = 0.0
    for stall_begin, stall_end in stalls:
        overlap = min(stall_end, end) - max(stall_begin, begin)
        longest = max(longest, overlap)
    return longest / (end - begin)
