# The shared worker pool across fork(): a child gets a fresh pool and computes the same
# values without hanging, even when the parent's pool was busy at the moment of the fork;
# and a task that runs out of memory is a MemoryError, not the end of the process.
import os
import subprocess
import sys
import threading
import time
import warnings

import numpy as np
import pytest

import corvex

CIRCUIT = corvex.Circuit("R0-(R1,CPE1)-Wo1").with_values([10.0, 50.0, 2e-5, 0.85, 20.0, 3.0])
FREQUENCIES = np.logspace(-2, 5, 5000)  # above the threshold that hands work to the pool
EXPECTED = CIRCUIT.impedance(FREQUENCIES)


def fork_and_compute(timeout=60.0):
    """Exit status of a forked child that recomputes EXPECTED on the pool (0 when equal)."""
    with warnings.catch_warnings():
        # Python warns about forking a process that runs threads; the pool's are ours.
        warnings.simplefilter("ignore", DeprecationWarning)
        pid = os.fork()
    if pid == 0:
        try:
            same = CIRCUIT.impedance(FREQUENCIES).tobytes() == EXPECTED.tobytes()
            fitted = CIRCUIT.fit(FREQUENCIES[::50], EXPECTED[::50], guess_init=False).success
            os._exit(0 if same and fitted else 1)
        except BaseException:
            os._exit(2)
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        done, status = os.waitpid(pid, os.WNOHANG)
        if done:
            return os.waitstatus_to_exitcode(status)
        time.sleep(0.01)
    os.kill(pid, 9)
    os.waitpid(pid, 0)
    pytest.fail("the forked child hung")


@pytest.mark.skipif(not hasattr(os, "fork"), reason="needs fork()")
def test_child_after_fork_gets_a_working_pool():
    CIRCUIT.impedance(FREQUENCIES)
    assert fork_and_compute() == 0


@pytest.mark.skipif(not hasattr(os, "fork"), reason="needs fork()")
def test_fork_while_the_pool_is_busy():
    stop = threading.Event()

    def keep_busy():
        while not stop.is_set():
            CIRCUIT.impedance(FREQUENCIES)

    worker = threading.Thread(target=keep_busy)
    worker.start()
    try:
        time.sleep(0.05)
        statuses = [fork_and_compute() for _ in range(5)]
    finally:
        stop.set()
        worker.join()
    assert statuses == [0] * 5


# Under an address-space limit that leaves no room for a Jacobian column's scratch copy of
# the parameters, on any thread; the pool must still work once the limit is lifted.
OUT_OF_MEMORY = """
import resource, numpy as np, corvex
circuit = corvex.Circuit("R0-(R1,CPE1)-Wo1").with_values([10.0, 50.0, 2e-5, 0.85, 20.0, 3.0])
f = np.logspace(-2, 5, 5000)
expected = circuit.impedance(f)
x = np.ones(5_000_000)
size = next(int(line.split()[1]) * 1024 for line in open("/proc/self/status") if line.startswith("VmSize"))
resource.setrlimit(resource.RLIMIT_AS, (size + 130 * 2**20, resource.RLIM_INFINITY))
try:
    corvex.Circuit("R0").jacobian(x, [1.0], [1.0 + 0j])
except MemoryError:
    resource.setrlimit(resource.RLIMIT_AS, (resource.RLIM_INFINITY, resource.RLIM_INFINITY))
    print(circuit.impedance(f).tobytes() == expected.tobytes())
"""


@pytest.mark.skipif("libasan" in os.environ.get("LD_PRELOAD", ""), reason="AddressSanitizer reserves address space")
def test_out_of_memory_in_pool_tasks_is_memory_error():
    child = subprocess.run([sys.executable, "-c", OUT_OF_MEMORY], capture_output=True, text=True, timeout=120)
    assert (child.returncode, child.stdout.strip()) == (0, "True"), child.stderr[-2000:]
