# A probe for whether a call releases the interpreter lock: a second Python thread counts
# loop turns, and the count can only move during the call if the lock was let go.
import threading


def progress_during(call):
    """Runs call() and returns how many loop turns a busy Python thread made meanwhile.

    Both snapshots are taken while the calling thread holds the lock, so a call that kept
    the lock throughout yields exactly 0, however loaded the machine is."""
    turns = [0]
    stop = threading.Event()
    started = threading.Event()

    def count():
        started.set()
        while not stop.is_set():
            turns[0] += 1

    worker = threading.Thread(target=count)
    worker.start()
    started.wait()
    before = turns[0]
    call()
    after = turns[0]
    stop.set()
    worker.join()
    return after - before
