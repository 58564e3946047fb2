# Joint fits of a series: shared values are one value, laws read their own column, the joint
# covariance against a dense reference, the constraint test on series whose truth is known,
# the formula language, the command line and the law's curve in the trend picture.
import subprocess
import sys
import pathlib

import numpy as np
import pandas as pd
import pytest

import corvex
import corvex.batch
import corvex.io
import corvex.series
from corvex.series.laws import BOLTZMANN_EV

CIRCUIT = "R0-p(R1,CPE1)-p(R2,CPE2)"
NAMES = ["R0.r", "R1.r", "CPE1.q", "CPE1.alpha", "R2.r", "CPE2.q", "CPE2.alpha"]
EA1, EA2 = 0.45, 0.30
FREQUENCIES = np.logspace(-1, 5, 40)


def truth(temperatures, alphas=None):
    """Each spectrum's true values: Arrhenius R1 and R2, shared CPE exponents unless `alphas`."""
    t = np.asarray(temperatures, dtype=float)
    count = len(t)
    alpha = np.full(count, 0.85) if alphas is None else np.asarray(alphas, dtype=float)
    return np.column_stack([
        0.5 + 0.01 * np.arange(count), 2e-6 * np.exp(EA1 / (BOLTZMANN_EV * t)), np.full(count, 2e-5), alpha,
        1e-4 * np.exp(EA2 / (BOLTZMANN_EV * t)), np.full(count, 1e-2), np.full(count, 0.8)])


def series_frame(temperatures, values, noise=0.0, seed=0, extra=None):
    rng = np.random.default_rng(seed)
    circuit = corvex.Circuit(CIRCUIT)
    parts = []
    for i, (temperature, row) in enumerate(zip(temperatures, values)):
        z = circuit.with_values(list(row)).impedance(FREQUENCIES)
        z = z * (1.0 + noise * (rng.standard_normal(len(z)) + 1j * rng.standard_normal(len(z))))
        part = {"Temperature": temperature, "Frequency / Hz": FREQUENCIES, "Real Impedance / ohm": z.real,
                "Imaginary Impedance / ohm": z.imag}
        for name, column in (extra or {}).items():
            part[name] = column[i]
        parts.append(pd.DataFrame(part))
    return pd.concat(parts, ignore_index=True)


TEMPERATURES = [263.0, 278.0, 293.0, 308.0, 323.0, 338.0]


@pytest.fixture(scope="module")
def noisy_series():
    values = truth(TEMPERATURES)
    frame = series_frame(TEMPERATURES, values, noise=0.002, seed=3)
    independent = corvex.batch.fit(corvex.Circuit(CIRCUIT), frame, by="Temperature", progress=False)
    joint = corvex.series.fit(corvex.Circuit(CIRCUIT), frame, by="Temperature", start=independent,
                              shared=["CPE1.alpha", "CPE2.alpha"],
                              laws={"R1.r": corvex.series.arrhenius("Temperature"),
                                    "R2.r": corvex.series.arrhenius("Temperature")})
    return values, frame, independent, joint


def test_shared_values_are_one_value_and_the_laws_recover_their_activation_energies(noisy_series):
    values, _, _, joint = noisy_series
    assert joint.converged
    spectra = joint.spectra
    for name in ("CPE1.alpha", "CPE2.alpha"):
        assert spectra[name].nunique() == 1
        assert spectra[name].iloc[0] == pytest.approx(values[0, NAMES.index(name)], abs=0.02)
    parameters = joint.parameters.set_index("name")
    for name, energy in (("R1.r:Ea", EA1), ("R2.r:Ea", EA2)):
        row = parameters.loc[name]
        assert row["ci_low"] < energy < row["ci_high"]
        assert row["stderr"] < 0.02
    np.testing.assert_allclose(spectra["R1.r"], values[:, 1], rtol=0.05)
    assert spectra["flags"].eq("").all()
    # Fewer free parameters than the independent fits, at a chi-square that noise explains.
    assert joint.parameter_count == 6 * 3 + 2 + 4
    assert joint.chi_square / joint.degrees_of_freedom == pytest.approx(0.002**2, rel=0.2)


def test_a_law_reads_its_own_column_not_another_per_spectrum_column():
    # A decoy column holds the temperatures in another order; only Temperature gives the truth.
    values = truth(TEMPERATURES)
    decoy = TEMPERATURES[::-1]
    frame = series_frame(TEMPERATURES, values, extra={"Decoy": decoy, "Kelvin": TEMPERATURES})
    circuit = corvex.Circuit(CIRCUIT)
    independent = corvex.batch.fit(circuit, frame, by="Temperature", progress=False)
    for column in ("Temperature", "Kelvin"):  # the key column, and a plain column of the frame
        joint = corvex.series.fit(circuit, frame, by="Temperature", start=independent,
                                  laws={"R1.r": corvex.series.arrhenius(column)})
        ea = joint.parameters.set_index("name").loc["R1.r:Ea", "value"]
        assert ea == pytest.approx(EA1, rel=1e-3)
        value, _, _ = joint.law_band("R1.r", TEMPERATURES)
        np.testing.assert_allclose(joint.spectra["R1.r"], value, rtol=1e-9)
    with pytest.raises(ValueError, match="more than one value within a spectrum"):
        corvex.series.fit(circuit, frame, by="Temperature", start=independent,
                          laws={"R1.r": corvex.series.linear("Frequency / Hz")})


def dense_covariance(circuit, frame, joint):
    """s^2 (J^T J)^-1 of the whole series from one dense Jacobian in physical coordinates:
    local columns per spectrum, shared columns summed over spectra, law coefficients by the chain rule."""
    names = circuit.param_names()
    spectra = joint.spectra
    count = len(spectra)
    shared = [names.index(name) for name in joint.shared]
    law_index = names.index("R1.r")
    local = [k for k in range(len(names)) if k not in shared and k != law_index]
    temperatures = spectra["Temperature"].to_numpy(float)
    blocks = []
    for s, (_, group) in enumerate(frame.groupby("Temperature", sort=False)):
        z = group["Real Impedance / ohm"].to_numpy() + 1j * group["Imaginary Impedance / ohm"].to_numpy()
        x = spectra.loc[s, names].to_numpy(float)
        jacobian = np.asarray(circuit.jacobian(list(x), group["Frequency / Hz"].to_numpy(), z))
        row = np.zeros((jacobian.shape[0], count * len(local) + len(shared) + 2))
        row[:, s * len(local):(s + 1) * len(local)] = jacobian[:, local]
        row[:, count * len(local):count * len(local) + len(shared)] = jacobian[:, shared]
        chain = x[law_index] * np.array([1.0, 1.0 / (BOLTZMANN_EV * temperatures[s])])
        row[:, -2:] = jacobian[:, [law_index]] * chain
        blocks.append(row)
    full = np.vstack(blocks)
    variance = joint.chi_square / (full.shape[0] - full.shape[1])
    return variance, full.T @ full, local


def test_the_joint_covariance_matches_a_dense_inverse_of_the_whole_series(noisy_series):
    values, frame, independent, _ = noisy_series
    circuit = corvex.Circuit(CIRCUIT)
    joint = corvex.series.fit(circuit, frame, by="Temperature", start=independent, shared=["CPE1.alpha"],
                              laws={"R1.r": corvex.series.arrhenius("Temperature")})
    variance, normal, local = dense_covariance(circuit, frame, joint)
    covariance = variance * np.linalg.inv(normal)
    count = len(joint.spectra)
    # The globals: the shared exponent (physical) and the law's ln A and Ea.
    np.testing.assert_allclose(joint.global_covariance, covariance[count * len(local):, count * len(local):],
                               rtol=2e-3)
    # Each spectrum's own values carry the shared block's uncertainty too.
    errors = np.sqrt(np.diag(covariance))[:count * len(local)].reshape(count, len(local))
    names = circuit.param_names()
    for k, index in enumerate(local):
        np.testing.assert_allclose(joint.spectra[f"{names[index]}_stderr"], errors[:, k], rtol=2e-3)
    # Each spectrum's block alone would give smaller errors: the comparison above can tell.
    width = len(local)
    alone = np.array([np.sqrt(np.diag(variance * np.linalg.inv(normal[s * width:(s + 1) * width,
                                                                        s * width:(s + 1) * width])))
                      for s in range(count)])
    assert (alone < errors * 0.99).any()


def test_the_constraint_test_passes_true_constraints_and_names_the_spectrum_that_breaks_them():
    circuit = corvex.Circuit(CIRCUIT)
    held = truth(TEMPERATURES)
    broken_alphas = np.full(len(TEMPERATURES), 0.85)
    broken_alphas[2] = 0.7
    broken = truth(TEMPERATURES, broken_alphas)
    verdicts = {}
    for label, values in (("held", held), ("broken", broken)):
        frame = series_frame(TEMPERATURES, values, noise=0.003, seed=11)
        independent = corvex.batch.fit(circuit, frame, by="Temperature", progress=False)
        joint = corvex.series.fit(circuit, frame, by="Temperature", start=independent, shared=["CPE1.alpha"])
        verdicts[label] = corvex.series.compare(independent, joint)
    assert verdicts["held"].p_value > 0.01 and verdicts["held"].constraints_hold
    assert verdicts["broken"].p_value < 1e-6 and not verdicts["broken"].constraints_hold
    assert verdicts["broken"].disagreeing["Temperature"].iloc[0] == TEMPERATURES[2]
    criteria = verdicts["broken"].criteria
    assert criteria.loc["joint", "parameters"] == criteria.loc["independent", "parameters"] - 5


@pytest.mark.parametrize("text, expected", [
    ("x", lambda x: x),
    ("1/x + 2*x**2", lambda x: 1 / x + 2 * x**2),
    ("-exp(-x/100) * log(x)", lambda x: -np.exp(-x / 100) * np.log(x)),
    ("SOC - 0.5", lambda x: x - 0.5),
])
def test_formulas_evaluate_as_numpy_does(text, expected):
    law = corvex.series.formula("SOC", text)
    x = np.array([0.1, 0.5, 2.0])
    np.testing.assert_allclose(law.basis(x), np.column_stack([np.ones(3), expected(x)]), rtol=1e-12)


@pytest.mark.parametrize("text", [
    "__import__('os').system('true')", "x.real", "(lambda: 1)()", "[x][0]", "x if x else 1", "open('f')",
    "exp(x, 2)", "y", "x // 2", "1e3 * " * 60 + "x", "'text'",
])
def test_formulas_outside_the_language_are_refused(text):
    with pytest.raises(ValueError, match="formula"):
        corvex.series.formula("SOC", text)


@pytest.mark.parametrize("arguments, message", [
    ({"shared": ["R1.r"], "laws": {"R1.r": corvex.series.linear("Temperature")}}, "shared or follow a law"),
    ({"shared": ["R9.r"]}, "unknown parameter 'R9.r'"),
    ({"laws": {"R1.r": corvex.series.linear("Pressure")}}, "law column 'Pressure'"),
    ({"laws": {"R1.r": corvex.series.arrhenius("Temperature", unit="C")},
      "by": "Temperature", "temperatures": [-273.15, 20.0, 40.0]}, "not finite"),
])
def test_bad_requests_are_refused_by_name(arguments, message):
    temperatures = arguments.pop("temperatures", TEMPERATURES[:3])
    frame = series_frame(temperatures, truth(np.abs(temperatures)))
    arguments.pop("by", None)
    with pytest.raises(ValueError, match=message):
        corvex.series.fit(corvex.Circuit(CIRCUIT), frame, by="Temperature", **arguments)


def test_the_command_line_fits_the_series_together(tmp_path):
    frame = series_frame(TEMPERATURES, truth(TEMPERATURES), noise=0.002, seed=5)
    frame.to_csv(tmp_path / "series.csv", index=False)
    script = pathlib.Path(sys.executable).parent / "corvex"
    command = [str(script)] if script.exists() else [sys.executable, "-m", "corvex.cli"]
    run = subprocess.run([*command, "fit", "series.csv", "--circuit", CIRCUIT, "--by", "Temperature",
                          "--shared", "CPE1.alpha", "--shared", "CPE2.alpha", "--law", "R1.r=arrhenius:Temperature",
                          "-o", "joint.csv"], capture_output=True, cwd=tmp_path, timeout=600)
    assert run.returncode == 0, run.stderr
    spectra = corvex.io.read_table(tmp_path / "joint.csv")
    parameters = corvex.io.read_table(tmp_path / "joint-parameters.csv").set_index("name")
    assert spectra["CPE1.alpha"].nunique() == 1 and len(spectra) == len(TEMPERATURES)
    assert parameters.loc["R1.r:Ea", "ci_low"] < EA1 < parameters.loc["R1.r:Ea", "ci_high"]
    assert b"joint chi_square" in run.stderr


def test_the_trend_picture_draws_the_law_with_its_band(noisy_series):
    import matplotlib

    matplotlib.use("Agg")
    import corvex.plot

    _, _, independent, joint = noisy_series
    ax = corvex.plot.trend(independent, "R1.r", key="Temperature", law=joint)
    curve = [line for line in ax.get_lines() if len(line.get_xdata()) == 200]
    assert len(curve) == 1 and len(ax.collections) >= 1
    np.testing.assert_allclose(curve[0].get_ydata()[[0, -1]], joint.law_band("R1.r", [263.0, 338.0])[0], rtol=1e-9)
    with pytest.raises(ValueError, match="key='Temperature'"):
        corvex.plot.trend(joint.spectra.assign(index=range(len(TEMPERATURES))), "R1.r", key="index", law=joint)


@pytest.mark.parametrize("law, coefficients", [
    (corvex.series.linear("SOC"), ["intercept", "slope"]),
    (corvex.series.polynomial("SOC", 2), ["c0", "c1"]),
    (corvex.series.formula("SOC", "x"), ["c0", "c1"]),
])
def test_laws_in_a_plain_column_recover_a_straight_line(law, coefficients):
    soc = np.linspace(0.1, 0.9, len(TEMPERATURES))
    values = truth(TEMPERATURES)
    values[:, 0] = 0.5 + 0.2 * soc
    frame = series_frame(TEMPERATURES, values, extra={"SOC": soc})
    circuit = corvex.Circuit(CIRCUIT)
    independent = corvex.batch.fit(circuit, frame, by="Temperature", progress=False)
    joint = corvex.series.fit(circuit, frame, by="Temperature", start=independent, laws={"R0.r": law})
    fitted = joint.parameters.set_index("name")["value"]
    np.testing.assert_allclose([fitted[f"R0.r:{name}"] for name in coefficients], [0.5, 0.2], rtol=1e-6, atol=1e-8)
    np.testing.assert_allclose(joint.spectra["R0.r"], values[:, 0], rtol=1e-8)
