# Choosing the points and operations on spectra: which rows each step keeps and why, on
# spectra whose truth is known, and the arithmetic of averages, subtraction and interpolation.
import numpy as np
import pandas as pd
import pytest

import corvex
import corvex.fitting
from corvex import points

F = np.geomspace(1e4, 0.01, 41)  # descending, as instruments sweep
CIRCUIT = corvex.Circuit("R0-p(R1,C1)").with_values([0.5, 2.0, 1e-3])


def spectrum(frequencies=F, circuit=CIRCUIT):
    return frequencies, circuit.impedance(frequencies)


def long_frame(count=2, frequencies=F):
    parts = [points.simulate(CIRCUIT, frequencies).assign(cycle=i) for i in range(count)]
    return pd.concat(parts, ignore_index=True).drop(columns=["kept", "excluded_by"])


def excluded_positions(frame):
    return np.flatnonzero(~frame["kept"].to_numpy()).tolist()


@pytest.mark.parametrize("options, expected", [
    ({"indices": [0, 3, -1]}, [0, 3, 40]),
    ({"frequencies": [F[5], F[20]]}, [5, 20]),
    ({"mask": np.arange(41) % 10 == 1}, [1, 11, 21, 31]),
])
def test_exclude_marks_exactly_the_named_points(options, expected):
    frame = points.exclude(*spectrum(), **options)
    assert excluded_positions(frame) == expected
    assert len(frame) == F.size
    assert (frame["excluded_by"].to_numpy()[expected] != "").all()
    assert (frame["excluded_by"].to_numpy()[frame["kept"].to_numpy()] == "").all()


def test_positions_count_within_each_group_of_an_interleaved_frame():
    # Two spectra with their rows interleaved: position 1 is each spectrum's second point.
    frame = long_frame().iloc[np.argsort(np.tile(np.arange(41), 2), kind="stable")].reset_index(drop=True)
    marked = points.exclude(frame, indices=[1], by="cycle")
    excluded = marked.loc[~marked["kept"]]
    assert sorted(excluded["cycle"]) == [0, 1]
    np.testing.assert_array_equal(excluded["Frequency / Hz"], [F[1], F[1]])


@pytest.mark.parametrize("call, error", [
    (lambda: points.exclude(*spectrum(), indices=[41]), IndexError),
    (lambda: points.exclude(*spectrum(), frequencies=[123.0]), ValueError),
    (lambda: points.exclude(*spectrum(), mask=np.ones(40, bool)), ValueError),
    (lambda: points.window(*spectrum(), fmin=10, fmax=1), ValueError),
])
def test_exclusions_that_name_no_point_are_refused(call, error):
    with pytest.raises(error):
        call()


def test_steps_chain_and_keep_each_reason():
    frame = points.window(*spectrum(), fmin=0.05, fmax=5e3)
    frame = points.exclude(frame, indices=[0, 20])
    f = frame["Frequency / Hz"].to_numpy()
    assert excluded_positions(frame) == sorted(set(np.flatnonzero((f < 0.05) | (f > 5e3))) | {20})
    assert frame["excluded_by"][0] == "above fmax 5000 Hz; excluded by index"


@pytest.mark.parametrize("ascending", [False, True])
def test_only_the_inductive_run_at_high_frequency_is_dropped(ascending):
    f, z = spectrum()
    z = z.copy()
    z[:3] = z[:3].real + 0.01j  # cable inductance at the three highest frequencies
    z[25] = z[25].real + 0.002j  # a positive point in the middle is data
    if ascending:
        f, z = f[::-1], z[::-1]
    frame = points.drop_inductive(f, z)
    expected = [38, 39, 40] if ascending else [0, 1, 2]
    assert excluded_positions(frame) == expected


def test_kk_outlier_is_found_and_the_table_says_why():
    frame = points.simulate(CIRCUIT, F, noise=0.002, seed=3)
    frame.loc[17, "Imaginary Impedance / ohm"] *= 1.3
    marked = points.drop_outliers(frame)
    assert excluded_positions(marked) == [17]
    assert marked["excluded_by"][17].startswith("Kramers-Kronig outlier")
    assert marked["kk_residual"][17] > marked["kk_threshold"][17] > marked["kk_residual"].drop(17).max()
    assert excluded_positions(points.drop_outliers(points.simulate(CIRCUIT, F, noise=0.002, seed=3))) == []


def test_average_of_replicates_in_any_row_order():
    frame = long_frame(3)
    frame.loc[frame["cycle"] == 1, "Real Impedance / ohm"] += 0.3
    shuffled = frame.sample(frac=1.0, random_state=0)
    shuffled = shuffled.sort_values("cycle", kind="stable")
    mean = points.average(shuffled, by="cycle")
    first = shuffled.loc[shuffled["cycle"] == 0, "Frequency / Hz"].to_numpy()
    np.testing.assert_array_equal(mean["Frequency / Hz"], first)
    truth = CIRCUIT.impedance(first)
    np.testing.assert_allclose(mean["Real Impedance / ohm"], truth.real + 0.1, rtol=1e-12)
    np.testing.assert_allclose(mean["Real Impedance Std / ohm"], np.std([0, 0.3, 0], ddof=1), rtol=1e-9)
    np.testing.assert_allclose(mean["Imaginary Impedance Std / ohm"], 0, atol=1e-12)
    assert (mean["replicates"] == 3).all()


def test_average_refuses_mismatched_grids_unless_given_one():
    other = points.simulate(CIRCUIT, F * 1.1).assign(cycle=1)
    frame = pd.concat([points.simulate(CIRCUIT, F).assign(cycle=0), other], ignore_index=True)
    with pytest.raises(ValueError, match="other frequencies"):
        points.average(frame, by="cycle")
    grid = np.geomspace(5e3, 0.02, 20)
    mean = points.average(frame, by="cycle", grid=grid)
    np.testing.assert_allclose(mean["Real Impedance / ohm"] + 1j * mean["Imaginary Impedance / ohm"],
                               CIRCUIT.impedance(grid), rtol=5e-3)


def test_fitting_the_mean_with_its_spread():
    frame = pd.concat([points.simulate(CIRCUIT, F, noise=0.01, seed=s).assign(cycle=s) for s in range(4)])
    mean = points.average(frame, by="cycle")
    sigma = points.standard_deviations(mean)
    report = corvex.fitting.fit(corvex.Circuit("R0-p(R1,C1)"), mean, weight=sigma)
    np.testing.assert_allclose(report.values, [0.5, 2.0, 1e-3], rtol=0.05)


def test_subtracting_and_parallel_impedances_undo_each_other():
    f, z = spectrum()
    series = corvex.Circuit("R0").with_values([0.5])
    arc = points.subtract(f, z, other=series)
    np.testing.assert_allclose(arc["Real Impedance / ohm"] + 1j * arc["Imaginary Impedance / ohm"],
                               corvex.Circuit("p(R1,C1)").with_values([2.0, 1e-3]).impedance(f), rtol=1e-12)
    shunt = corvex.Circuit("C0").with_values([1e-6])
    there = points.add_parallel(f, z, other=shunt)
    back = points.remove_parallel(there, other=shunt)
    np.testing.assert_allclose(back["Real Impedance / ohm"] + 1j * back["Imaginary Impedance / ohm"], z, rtol=1e-9)
    difference = points.subtract(f, z, other=(f, z))
    assert np.abs(difference["Real Impedance / ohm"]).max() == 0
    with pytest.raises(ValueError, match="interpolate"):
        points.subtract(f, z, other=(f[:-1], z[:-1]))


@pytest.mark.parametrize("method, rtol", [("akima", 5e-3), ("linear", 3e-2)])
def test_interpolation_follows_the_spectrum_and_never_extrapolates(method, rtol):
    f, z = spectrum()
    grid = np.sqrt(F[1:] * F[:-1])  # midpoints in log-frequency
    frame = points.interpolate(f, z, grid=grid, method=method)
    np.testing.assert_allclose(frame["Real Impedance / ohm"] + 1j * frame["Imaginary Impedance / ohm"],
                               CIRCUIT.impedance(grid), rtol=rtol)
    on_nodes = points.interpolate(f, z, grid=F[::-1], method=method)
    np.testing.assert_allclose(on_nodes["Real Impedance / ohm"], z.real[::-1], rtol=1e-12)
    with pytest.raises(ValueError, match="outside the measured range"):
        points.interpolate(f, z, grid=[2e4])


def test_admittance_and_back():
    f, z = spectrum()
    frame = points.to_admittance(f, z)
    np.testing.assert_allclose(frame[points.REAL_ADMITTANCE] + 1j * frame[points.IMAGINARY_ADMITTANCE], 1 / z)
    back = points.to_impedance(f, frame[points.REAL_ADMITTANCE] + 1j * frame[points.IMAGINARY_ADMITTANCE])
    np.testing.assert_allclose(back["Real Impedance / ohm"] + 1j * back["Imaginary Impedance / ohm"], z, rtol=1e-12)
    with pytest.raises(ValueError, match="position 2"):
        points.reciprocal([1.0, 2.0, 0.0])


@pytest.mark.parametrize("model, scale", [
    ("proportional", lambda z: (np.abs(z.real), np.abs(z.imag))),
    ("modulus", lambda z: (np.abs(z), np.abs(z))),
    ("constant", lambda z: (np.ones(z.size), np.ones(z.size))),
])
def test_simulated_noise_follows_its_model_and_seed(model, scale):
    f = np.geomspace(1e5, 1e-2, 4000)
    z = CIRCUIT.impedance(f)
    frame = points.simulate(CIRCUIT, f, noise=0.01, noise_model=model, seed=7)
    again = points.simulate("R0-p(R1,C1)", f, noise=0.01, noise_model=model, seed=7)
    noisy = frame["Real Impedance / ohm"] + 1j * frame["Imaginary Impedance / ohm"]
    real_scale, imag_scale = scale(z)
    assert np.std((noisy.to_numpy().real - z.real) / real_scale) == pytest.approx(0.01, rel=0.05)
    assert np.std((noisy.to_numpy().imag - z.imag) / imag_scale) == pytest.approx(0.01, rel=0.05)
    assert frame["Frequency / Hz"].equals(again["Frequency / Hz"])
    assert not frame.equals(points.simulate(CIRCUIT, f, noise=0.01, noise_model=model, seed=8))


def test_polars_in_polars_out():
    pl = pytest.importorskip("polars")
    frame = points.drop_inductive(pl.from_pandas(long_frame()), by="cycle")
    assert isinstance(frame, pl.DataFrame)
    assert frame["kept"].to_list() == [True] * 82
