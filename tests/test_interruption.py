# Ctrl-C during long native work: a SIGINT sent while a fit, an impedance or a Jacobian runs
# with the lock released ends the call with KeyboardInterrupt, and the worker pool keeps working.
import signal
import threading
import time

import numpy as np
import pytest

import corvex
import corvex.analysis

NOTATION = "R0-(R1,C1)-(R2,CPE1)"
VALUES = [10.0, 50.0, 1e-5, 200.0, 1e-3, 0.8]
F = np.logspace(-2, 5, 60)
Z = corvex.Circuit(NOTATION).with_values(VALUES).impedance(F)
# Every call below runs for seconds (the swarm for ever) unless interrupted.
HUGE_F = np.logspace(-3, 6, 6_000_000)
LONG_F = np.logspace(-3, 6, 400_000)
LONG_Z = corvex.Circuit(NOTATION).with_values(VALUES).impedance(LONG_F)


def seconds_to_interrupt(call, delay=0.15):
    """Sends SIGINT to the main thread after `delay` s; returns the time until KeyboardInterrupt."""
    sent = []

    def send():
        sent.append(time.perf_counter())
        signal.pthread_kill(threading.main_thread().ident, signal.SIGINT)

    timer = threading.Timer(delay, send)
    try:
        timer.start()
        call()
    except KeyboardInterrupt:
        return time.perf_counter() - sent[0]
    finally:
        timer.cancel()
        timer.join()
    pytest.fail("the call ended without KeyboardInterrupt")


CALLS = {
    "particle_swarm": lambda: corvex.Circuit(NOTATION).fit(
        F, Z, guess_init=False, method="particle_swarm", generations=2**63, seed=1),
    "differential_evolution": lambda: corvex.Circuit(NOTATION).fit(
        F, Z, guess_init=False, method="differential_evolution", de_evaluations=2**62),
    "simulated_annealing": lambda: corvex.Circuit(NOTATION).fit(
        F, Z, guess_init=False, method="simulated_annealing", sa_iterations=2**62, seed=1),
    "nelder_mead": lambda: corvex.Circuit(NOTATION).fit(
        LONG_F, LONG_Z * 1.01, guess_init=False, method="nelder_mead", nelder_mead_iterations=2**62),
    "basin_hopping": lambda: corvex.Circuit(NOTATION).fit(
        LONG_F, LONG_Z * 1.01, guess_init=False, method="basin_hopping", basin_hopping_hops=2**31, seed=1),
    "levenberg_marquardt": lambda: corvex.Circuit(NOTATION).fit(
        LONG_F, LONG_Z * 1.01, guess_init=False, max_iterations=2**31),
    "impedance": lambda: corvex.Circuit(NOTATION).with_values(VALUES).impedance(HUGE_F),
    "jacobian": lambda: corvex.Circuit(NOTATION).jacobian(VALUES * 4, LONG_F, LONG_Z),
    "residuals": lambda: corvex.Circuit(NOTATION).residuals(VALUES, HUGE_F[:3_000_000], np.ones(3_000_000)),
    "discover": lambda: corvex.analysis.discover([(F, Z * 1.01)] * 50, n_jobs=1),
    "series_fit": lambda: corvex._series_fit(corvex.Circuit(NOTATION), [(LONG_F, LONG_Z * 1.01)] * 4, VALUES * 4,
                                             [0], [], "modulus", 2**31, 0.0, 0.0, True),
}


@pytest.mark.parametrize("name", CALLS)
def test_sigint_ends_long_calls_promptly_and_the_pool_still_works(name):
    start = time.perf_counter()
    reference = corvex.Circuit(NOTATION).with_values(VALUES).impedance(LONG_F[:100_000])
    unit = time.perf_counter() - start
    # The calls would run for hours. The bound is a second, or more on a machine so busy that a
    # fixed piece of work measured just now takes longer than usual: load stretches both alike.
    assert seconds_to_interrupt(CALLS[name]) < max(1.0, 100 * unit)
    assert np.array_equal(corvex.Circuit(NOTATION).with_values(VALUES).impedance(LONG_F[:100_000]), reference)
    assert corvex.Circuit(NOTATION).fit(F, Z, guess_init=False).success


def seconds_until_alarm_interrupts(call, delay):
    """Runs call() with SIGALRM raising KeyboardInterrupt after `delay` s; returns when it came.
    An interval timer is delivered by the kernel as Ctrl-C from a terminal is, even while the
    conversion of the input holds the interpreter lock that a timer thread would need."""
    previous = signal.signal(signal.SIGALRM, signal.default_int_handler)
    start = time.perf_counter()
    try:
        signal.setitimer(signal.ITIMER_REAL, delay)
        call()
    except KeyboardInterrupt:
        return time.perf_counter() - start
    finally:
        signal.setitimer(signal.ITIMER_REAL, 0)
        signal.signal(signal.SIGALRM, previous)
    pytest.fail("the call ended without KeyboardInterrupt")


def seconds_to_guess(circuit, z):
    start = time.perf_counter()
    circuit.guess(HUGE_F, z)
    return time.perf_counter() - start


@pytest.fixture(scope="module")
def huge_rc_spectrum():
    """A topology the network guesses for and its spectrum on HUGE_F."""
    circuit = corvex.Circuit("R0-(R1,C1)")
    return circuit, circuit.with_values([10.0, 50.0, 1e-5]).impedance(HUGE_F)


@pytest.mark.parametrize("name", ["guess", "Circuit.fit", "fitting.fit", "batch.fit"])
def test_sigint_while_a_large_spectrum_is_converted_and_guessed_from(name, huge_rc_spectrum):
    from corvex import batch, fitting

    circuit, z = huge_rc_spectrum
    call = {
        "guess": lambda: circuit.guess(HUGE_F, z),
        "Circuit.fit": lambda: circuit.fit(HUGE_F, z),
        "fitting.fit": lambda: fitting.fit(circuit, HUGE_F, z),
        "batch.fit": lambda: batch.fit(circuit, [(HUGE_F, z)]),
    }[name]
    # Sent early in the conversion: every call converts the spectrum and then guesses from it,
    # so the interrupt must come long before a guess alone would have finished. The guess is
    # timed just before and just after, so that all three see the machine's load of the moment.
    before = seconds_to_guess(circuit, z)
    interrupted = seconds_until_alarm_interrupts(call, 0.05 * before)
    assert interrupted < 0.5 * max(before, seconds_to_guess(circuit, z))


def test_handler_exception_propagates_as_itself():
    class Stop(Exception):
        pass

    def handler(signum, frame):
        raise Stop

    previous = signal.signal(signal.SIGINT, handler)
    try:
        with pytest.raises(Stop):
            timer = threading.Timer(0.1, signal.pthread_kill, (threading.main_thread().ident, signal.SIGINT))
            timer.start()
            try:
                CALLS["particle_swarm"]()
            finally:
                timer.join()
    finally:
        signal.signal(signal.SIGINT, previous)


@pytest.fixture(scope="module")
def large_three_arc_spectrum():
    """A 30,000-point spectrum of a circuit no network guesses for, and how long its DRT takes."""
    notation = "R0-p(R1,CPE1)-p(R2,CPE2)-p(R3,CPE3)"
    frequencies = np.geomspace(1e5, 1e-2, 30_000)
    z = corvex.Circuit(notation).with_values([0.1, 0.5, 1e-3, 0.9, 1.0, 1e-1, 0.8, 2.0, 1.0, 0.9]).impedance(frequencies)
    start = time.perf_counter()
    corvex.analysis.drt(frequencies, z)
    return notation, frequencies, z, time.perf_counter() - start


@pytest.mark.filterwarnings("ignore:There is no ML model")
@pytest.mark.parametrize("name", ["drt", "fitting.fit", "fitting.fit(start='data')"])
def test_sigint_inside_the_relaxation_times_of_a_large_spectrum(name, large_three_arc_spectrum):
    from corvex import fitting

    notation, frequencies, z, drt_seconds = large_three_arc_spectrum
    call = {
        "drt": lambda: corvex.analysis.drt(frequencies, z),
        "fitting.fit": lambda: fitting.fit(corvex.Circuit(notation), frequencies, z),
        "fitting.fit(start='data')": lambda: fitting.fit(corvex.Circuit(notation), frequencies, z, start="data"),
    }[name]
    # Each call reads the spectrum's DRT before anything else: an interrupt sent early in it
    # must end the call long before the DRT alone would have finished.
    assert seconds_until_alarm_interrupts(call, 0.2 * drt_seconds) < 0.6 * drt_seconds
