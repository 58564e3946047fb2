# The global search methods of Circuit.fit() seen from Python: convergence to the least-squares
# optimum, seeded reproducibility within and across processes and threads, and unusable settings.
import json
import math
import subprocess
import sys
import threading
import time

import numpy as np
import pytest

import corvex

NOTATION = "R0-(R1,C1)"
TRUE_VALUES = [20.0, 100.0, 1e-5]
F = np.logspace(-2, 5, 30)


def noisy_spectrum(seed):
    clean = corvex.Circuit(NOTATION).with_values(TRUE_VALUES).impedance(F)
    rng = np.random.default_rng(seed)
    return clean * (1 + 0.01 * (rng.standard_normal(len(F)) + 1j * rng.standard_normal(len(F))))


Z = noisy_spectrum(1)
# Parsed from notation, so the searches start from the catalogue's placeholder values.
PLACEHOLDER = corvex.Circuit(NOTATION)
OPTIMUM = corvex.Circuit(NOTATION).with_values(TRUE_VALUES).fit(F, Z)

METHODS = ("nelder_mead", "particle_swarm", "simulated_annealing", "differential_evolution", "basin_hopping")
# Differential evolution draws its generators from the operating system whatever the seed.
SEEDED = ("nelder_mead", "particle_swarm", "simulated_annealing", "basin_hopping")
SMALL = {"generations": 20, "num_particles": 20, "de_evaluations": 500, "sa_iterations": 300,
         "nelder_mead_iterations": 300, "basin_hopping_hops": 3}


def fit(method, circuit=PLACEHOLDER, impedances=Z, **kwargs):
    return circuit.fit(F, impedances, guess_init=False, method=method, **{**SMALL, **kwargs})


def outcome(result):
    """Everything a FitResult shows, for exact comparison."""
    return (repr(result), result.params, result.stderr, result.cost, result.chi_square, result.iterations,
            result.impedance_evals, result.success, result.circuit.param_values())


# ---------------------------------------------------------------- convergence

@pytest.mark.parametrize("method", METHODS)
def test_search_from_placeholders_reaches_the_least_squares_optimum(method):
    result = fit(method, seed=1)
    assert result.success
    assert result.cost == pytest.approx(OPTIMUM.cost, rel=1e-6)
    assert list(result.params.values()) == pytest.approx(list(OPTIMUM.params.values()), rel=1e-4)


@pytest.mark.parametrize("method", METHODS)
def test_unseeded_search_runs(method):
    result = fit(method, seed=None)
    assert isinstance(result, corvex.FitResult) and math.isfinite(result.cost)
    assert result.impedance_evals > result.iterations


# ---------------------------------------------------------------- reproducibility

@pytest.mark.parametrize("method", SEEDED)
@pytest.mark.parametrize("seed", [0, 7, 2**64 - 1])
def test_same_seed_gives_identical_results(method, seed):
    assert outcome(fit(method, seed=seed)) == outcome(fit(method, seed=seed))


# The child rebuilds the spectrum from exact hexadecimal floats and prints one line per case.
CHILD = """
import json, sys
import corvex
job = json.load(sys.stdin)
f = [float.fromhex(x) for x in job["f"]]
z = [complex(float.fromhex(re), float.fromhex(im)) for re, im in job["z"]]
circuit = corvex.Circuit(job["notation"])
for method, seed in job["cases"]:
    result = circuit.fit(f, z, guess_init=False, method=method, seed=seed, **job["settings"])
    print(repr(result), result.cost.hex())
"""


def test_same_seed_gives_identical_results_in_another_process():
    cases = [(method, 3) for method in SEEDED] + [("simulated_annealing", 2**64 - 1)]
    job = {"notation": NOTATION, "settings": SMALL, "cases": cases, "f": [float(x).hex() for x in F],
            "z": [[float(v.real).hex(), float(v.imag).hex()] for v in Z]}
    child = subprocess.run([sys.executable, "-c", CHILD], input=json.dumps(job), capture_output=True, text=True,
                           check=True, timeout=120)
    here = [f"{result!r} {result.cost.hex()}" for result in (fit(method, seed=seed) for method, seed in cases)]
    assert child.stdout.splitlines() == here


@pytest.mark.parametrize("method", SEEDED)
def test_least_squares_settings_of_the_call_leave_a_global_search_alone(method):
    # The polish and basin hopping's local runs use fixed settings; a negative tolerance
    # would be refused if the call's own reached them.
    expected = outcome(fit(method, seed=5))
    for settings in ({"max_iterations": 0}, {"max_iterations": 3, "ftol": 0.5, "xtol": 0.5},
                     {"ftol": 0.0, "xtol": 0.0}, {"ftol": -1.0, "xtol": -1.0}):
        assert outcome(fit(method, seed=5, **settings)) == expected


# ---------------------------------------------------------------- non-finite costs

NAN_SPECTRUM = np.full(len(F), complex("nan+nanj"))


@pytest.mark.parametrize("method, settings, message", [
    ("nelder_mead", {"nelder_mead_iterations": 0}, "nelder-mead found no best position"),
    ("nelder_mead", {}, "`NelderMead`: Reached unreachable point."),
    ("particle_swarm", {}, "particle swarm found no best position"),
    ("particle_swarm", {"generations": 0}, "particle swarm found no best position"),
    ("simulated_annealing", {}, "simulated annealing found no best position"),
    ("differential_evolution", {}, "differential evolution found no best position"),
    ("differential_evolution", {"de_evaluations": 50}, "differential evolution found no best position"),
])
def test_search_that_sees_only_nan_costs_fails(method, settings, message):
    with pytest.raises(ValueError) as raised:
        fit(method, impedances=NAN_SPECTRUM, seed=1, **settings)
    text = str(raised.value)
    assert text.startswith("solver error: ") and text.endswith(message)


def test_basin_hopping_without_a_usable_minimum_is_unsuccessful():
    result = fit("basin_hopping", impedances=NAN_SPECTRUM, seed=1)
    assert not result.success and math.isnan(result.cost)


def test_basin_hopping_success_is_that_of_the_local_run_it_reports():
    f = np.logspace(-2, 5, 40)
    rng = np.random.default_rng(1)
    clean = corvex.Circuit(NOTATION).with_values([10.0, 50.0, 1e-4]).impedance(f)
    noisy = clean * (1 + 0.3 * (rng.standard_normal(40) + 1j * rng.standard_normal(40)))
    start = corvex.Circuit(NOTATION).with_values([20488.153026516466, 0.04870817717186163, 4.1902414094270047e-10])
    local = start.fit(f, noisy)
    hopped = start.fit(f, noisy, method="basin_hopping", basin_hopping_hops=0, seed=0)
    assert not local.success and (hopped.success, hopped.cost) == (local.success, local.cost)


def test_nelder_mead_steps_back_from_points_the_model_cannot_evaluate():
    # A zero measured value makes parts of the search space cost NaN.
    rq = corvex.Circuit("R0-(R1,CPE1)").with_values([10.0, 50.0, 1e-4, 0.85])
    z = rq.impedance(F)
    z[5] = 0j
    result = rq.fit(F, z, method="nelder_mead")
    assert math.isfinite(result.cost)


# One measured value so large that its unweighted square overflows: every cost is +infinity.
OVERFLOWING = Z.copy()
OVERFLOWING[3] = 1e300


@pytest.mark.parametrize("method, search_iterations, search_evaluations", [
    ("nelder_mead", 300, 4 + 300),
    ("particle_swarm", 20, 20 * 21),
    ("simulated_annealing", 300, 1 + 300),
    ("differential_evolution", 10 * 500, 10 * 500 + 10),
    ("basin_hopping", None, None),
])
def test_infinite_cost_is_never_a_success(method, search_iterations, search_evaluations):
    result = fit(method, impedances=OVERFLOWING, weight="unit", seed=1)
    assert not result.success and result.cost == math.inf
    if search_iterations is not None:
        # The refinement cannot beat an infinite cost, so the search outcome is kept, while
        # the refinement's evaluations still count.
        assert result.iterations == search_iterations
        assert result.impedance_evals > search_evaluations


# ---------------------------------------------------------------- unusable settings

@pytest.mark.parametrize("generations", [0, 20, 2**63, 2**64 - 1])
def test_swarm_without_particles_has_no_best_position(generations):
    with pytest.raises(ValueError, match="^solver error: particle swarm found no best position$"):
        fit("particle_swarm", num_particles=0, generations=generations, seed=1)


@pytest.mark.parametrize("particles", [2**40, 2**62, 2**64 - 1])
def test_swarm_too_large_to_hold_is_refused(particles):
    with pytest.raises((MemoryError, ValueError), match="particle swarm"):
        fit("particle_swarm", num_particles=particles, generations=1, seed=1)


@pytest.mark.parametrize("temperature", [0, -1, -0.0, -math.inf])
def test_annealing_needs_a_positive_temperature(temperature):
    message = 'solver error: Invalid parameter: "`SimulatedAnnealing`: Initial temperature must be > 0."'
    with pytest.raises(ValueError) as raised:
        fit("simulated_annealing", sa_initial_temperature=temperature, seed=1)
    assert str(raised.value) == message


@pytest.mark.parametrize("temperature", [math.nan, math.inf, 1e308, 9e307])
def test_annealing_refuses_a_temperature_without_a_finite_interval(temperature):
    with pytest.raises(ValueError, match="^solver error: Invalid parameter: "):
        fit("simulated_annealing", sa_initial_temperature=temperature, seed=1)


def test_annealing_accepts_a_tiny_temperature():
    # The walk barely moves, and the polish from the start still finds the optimum.
    result = fit("simulated_annealing", sa_initial_temperature=1e-300, seed=1)
    assert result.success and result.cost == pytest.approx(OPTIMUM.cost, rel=1e-6)


@pytest.mark.parametrize("step_size", [-1.0, -1e-300, math.nan, math.inf, -math.inf, 1e308])
def test_basin_hopping_refuses_a_step_size_without_a_finite_interval(step_size):
    with pytest.raises(ValueError, match="^solver error: .*step size"):
        fit("basin_hopping", basin_hopping_step_size=step_size, seed=1)


def test_basin_hopping_with_zero_step_restarts_from_the_current_minimum():
    result = fit("basin_hopping", basin_hopping_step_size=0.0, seed=1)
    assert result.success and result.cost == pytest.approx(OPTIMUM.cost, rel=1e-6)


def test_evolution_refuses_a_dimension_it_cannot_sample():
    start = PLACEHOLDER.with_values([20.0, math.inf, 1e-5])
    with pytest.raises(ValueError, match='^solver error: differential evolution cannot sample parameter "R1.r"'):
        fit("differential_evolution", circuit=start)


# ---------------------------------------------------------------- threads

def test_search_releases_the_interpreter_lock():
    # With a switch interval far longer than the test, the lock changes hands only when its
    # holder lets go of it: the counting thread at each sleep(0), the main thread only if
    # the search releases it. Any count made during the search proves the release.
    counter = 0
    running = threading.Event()
    done = threading.Event()

    def count():
        nonlocal counter
        running.set()
        while not done.is_set():
            counter += 1
            time.sleep(0)

    interval = sys.getswitchinterval()
    sys.setswitchinterval(1000.0)
    counting = threading.Thread(target=count)
    try:
        counting.start()
        running.wait()
        before = counter
        PLACEHOLDER.fit(F, Z, guess_init=False, method="particle_swarm", num_particles=200, generations=1000, seed=1)
        after = counter
    finally:
        done.set()
        counting.join()
        sys.setswitchinterval(interval)
    assert after > before


def test_concurrent_searches_match_searches_one_at_a_time():
    cases = [(method, seed) for method in SEEDED for seed in (1, 2)]
    expected = [outcome(fit(method, seed=seed)) for method, seed in cases]
    rounds = 10
    results = [[] for _ in range(4)]
    start = threading.Barrier(len(results))

    def run(slot):
        start.wait()
        for _ in range(rounds):
            results[slot].append([outcome(fit(method, seed=seed)) for method, seed in cases])

    threads = [threading.Thread(target=run, args=(slot,)) for slot in range(len(results))]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert results == [[expected] * rounds] * len(results)
