"""Fitting benchmarks against a NumPy/SciPy implementation of the same objective: the cost of
one residual evaluation, whole fits against scipy.optimize.least_squares(method="lm"), fit
throughput on one and two threads, and the cost of one Jacobian."""

import sys
import threading
import time

import numpy as np
from scipy.optimize import least_squares

import corvex
from numpy_models import randles, rq, two_rq
from timing import format_time, machine_description, per_call_seconds

CIRCUITS = {
    "R0-(R1,CPE1)": (rq, [20.0, 100.0, 2e-5, 0.85]),
    "R0-(R1-W1,CPE1)": (randles, [15.0, 80.0, 30.0, 1e-5, 0.88]),
    "R0-(R1,CPE1)-(R2,CPE2)": (two_rq, [10.0, 40.0, 1e-6, 0.9, 120.0, 5e-4, 0.75]),
}
BOUNDED = {"alpha"}


def synthetic_spectrum(model, values, n, rng, noise=0.01):
    f = np.logspace(-2, 5, n)
    z = model(values, f)
    z = z * (1 + noise * (rng.standard_normal(n) + 1j * rng.standard_normal(n)))
    return f, z


def numpy_residuals(model, f, z):
    weights = np.maximum(np.abs(z), 1e-30)

    def residuals(p):
        d = (model(p, f) - z) / weights
        out = np.empty(2 * len(f))
        out[0::2] = d.real
        out[1::2] = d.imag
        return out

    return residuals


def wrong_start(values, names, rng):
    start = []
    for v, name in zip(values, names):
        if name.endswith("alpha"):
            start.append(min(0.95, max(0.5, v * rng.uniform(0.85, 1.1))))
        else:
            factor = rng.uniform(2, 5)
            start.append(v * factor if rng.random() < 0.5 else v / factor)
    return start


def evaluation_cost():
    print("One residual evaluation (Python call of residuals(), and per evaluation inside a fit):")
    print(f"{'circuit':26} {'points':>6} {'residuals()':>12} {'in fit':>12} {'numpy':>12} "
          f"{'numpy/call':>11} {'numpy/in-fit':>13}")
    rng = np.random.default_rng(1)
    for notation in ("R0-(R1-W1,CPE1)", "R0-(R1,CPE1)-(R2,CPE2)"):
        model, values = CIRCUITS[notation]
        circuit = corvex.Circuit(notation).with_values(values)
        for n in (60, 1000):
            f, z = synthetic_spectrum(model, values, n, rng)
            fl, zl = list(f), list(z)
            ours = np.array(circuit.residuals(values, fl, zl))
            reference = numpy_residuals(model, f, z)(np.array(values))
            assert np.allclose(ours, reference, rtol=1e-9, atol=1e-12)
            t_call = per_call_seconds(lambda: circuit.residuals(values, fl, zl))
            numpy_fn = numpy_residuals(model, f, z)
            t_numpy = per_call_seconds(lambda: numpy_fn(values))
            start = time.perf_counter()
            result = circuit.fit(fl, zl, guess_init=False)
            per_eval = (time.perf_counter() - start) / max(result.impedance_evals, 1)
            print(f"{notation:26} {n:6d} {format_time(t_call):>12} {format_time(per_eval):>12} "
                  f"{format_time(t_numpy):>12} {t_numpy / t_call:10.1f}x {t_numpy / per_eval:12.1f}x")
    print()


def fit_time():
    print("Whole fits from a start off by factors 2-5 (60 points, 10 mHz-100 kHz, 1 % noise), median of 20 spectra:")
    print(f"{'circuit':26} {'corvex':>10} {'scipy lm':>10} {'ratio':>7} {'cost corvex':>12} {'cost scipy':>12} "
          f"{'evals':>6} {'fit/(evals*eval)':>17}")
    rng = np.random.default_rng(2)
    for notation, (model, values) in CIRCUITS.items():
        circuit = corvex.Circuit(notation)
        names = circuit.param_names()
        bounds_lo = [0.0 if n.endswith("alpha") else 1e-12 for n in names]
        bounds_hi = [1.0 if n.endswith("alpha") else np.inf for n in names]
        ours_t, scipy_t, ours_c, scipy_c, evals, overhead = [], [], [], [], [], []
        for _ in range(20):
            f, z = synthetic_spectrum(model, values, 60, rng)
            fl, zl = list(f), list(z)
            start = wrong_start(values, names, rng)
            started = circuit.with_values(start)
            t0 = time.perf_counter()
            result = started.fit(fl, zl)
            ours_t.append(time.perf_counter() - t0)
            ours_c.append(result.cost)
            evals.append(result.impedance_evals)
            eval_time = per_call_seconds(lambda: started.residuals(start, fl, zl), min_time=0.02, repeats=2)
            overhead.append(ours_t[-1] / (result.impedance_evals * eval_time))
            residuals = numpy_residuals(model, f, z)
            clipped = np.clip(start, bounds_lo, bounds_hi)
            t0 = time.perf_counter()
            reference = least_squares(residuals, clipped, method="lm")
            scipy_t.append(time.perf_counter() - t0)
            scipy_c.append(reference.cost)
        mo, ms = np.median(ours_t), np.median(scipy_t)
        print(f"{notation:26} {format_time(mo):>10} {format_time(ms):>10} {ms / mo:6.1f}x "
              f"{np.median(ours_c):12.4e} {np.median(scipy_c):12.4e} {int(np.median(evals)):6d} "
              f"{np.median(overhead):16.2f}x")
    print()


def throughput(count=1000):
    notation = "R0-(R1-W1,CPE1)"
    model, values = CIRCUITS[notation]
    rng = np.random.default_rng(3)
    circuit = corvex.Circuit(notation)
    names = circuit.param_names()
    jobs = []
    for _ in range(count):
        f, z = synthetic_spectrum(model, values, 60, rng)
        jobs.append((circuit.with_values(wrong_start(values, names, rng)), list(f), list(z)))

    def run(part):
        for started, f, z in part:
            started.fit(f, z)

    t0 = time.perf_counter()
    run(jobs)
    one = count / (time.perf_counter() - t0)
    threads = [threading.Thread(target=run, args=(jobs[i::2],)) for i in range(2)]
    t0 = time.perf_counter()
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    two = count / (time.perf_counter() - t0)
    print(f"Throughput, {count} fits of {notation}: one thread {one:.0f} fits/s, two threads {two:.0f} fits/s "
          f"(scaling {two / one:.2f}x)")
    print()


def jacobian_cost():
    notation = "R0-(R1-W1,CPE1)"
    model, values = CIRCUITS[notation]
    circuit = corvex.Circuit(notation).with_values(values)
    rng = np.random.default_rng(4)
    print("One jacobian() (5 parameters; small problems stay on the calling thread, large ones use the pool):")
    for n in (60, 1000):
        f, z = synthetic_spectrum(model, values, n, rng)
        fl, zl = list(f), list(z)
        t_jac = per_call_seconds(lambda: circuit.jacobian(values, fl, zl))
        t_res = per_call_seconds(lambda: circuit.residuals(values, fl, zl))
        print(f"  {n:5d} points: jacobian() {format_time(t_jac)}, residuals() {format_time(t_res)}, "
              f"jacobian / (10 x residuals) = {t_jac / (10 * t_res):.2f}")
    print()


def main():
    print(f"Fitting benchmarks [{machine_description()}]")
    evaluation_cost()
    fit_time()
    jacobian_cost()
    throughput(int(sys.argv[1]) if len(sys.argv) > 1 and sys.argv[1].isdigit() else 1000)


if __name__ == "__main__":
    main()
