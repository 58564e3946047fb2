"""corvex.series.compare: whether a series' shared and law constraints hold, by the F test of
the joint fit against independent fits of the same spectra, the information criteria of both,
and the spectra that disagree most with the joint model."""

from __future__ import annotations

import math
from dataclasses import dataclass
from typing import Any

import numpy as np

import corvex
from corvex.series.joint_fit import SeriesResult, _as_pandas

__all__ = ["Comparison", "compare"]


@dataclass
class Comparison:
    """The test of a joint fit's constraints against independent fits.

    `f_statistic` = ((chi2_joint - chi2_independent) / (k_independent - k_joint)) /
    (chi2_independent / (n - k_independent)) with `p_value` its upper tail: a small p-value
    says the constraints cost more fit than noise explains. `criteria` has one row per model
    (chi_square, parameters, residuals, aic, bic; lower is better). `disagreeing` lists the
    spectra by how much the joint model raised their chi-square, relative to their own
    reduced chi-square, worst first.
    """

    f_statistic: float
    p_value: float
    numerator_degrees: int
    denominator_degrees: int
    criteria: Any
    disagreeing: Any

    @property
    def constraints_hold(self) -> bool:
        """The constraints pass the F test at the 5 % level."""
        return bool(self.p_value >= 0.05)


def compare(independent: Any, joint: SeriesResult, *, worst: int = 5) -> Comparison:
    """Compare `joint` (from corvex.series.fit) with `independent`, the table
    corvex.batch.fit returned for the same data and `by`. Only spectra fitted in both count."""
    import pandas as pd

    if not isinstance(joint, SeriesResult):
        raise TypeError(f"argument 'joint': expected a corvex.series.SeriesResult, got {type(joint).__name__!r}")
    table = _as_pandas(independent)
    spectra = joint.spectra
    if len(table) != len(spectra):
        raise ValueError(f"argument 'independent': expected {len(spectra)} rows (one per spectrum of the joint fit), "
                         f"got {len(table)}")
    keys = [name for name in joint.by if name in table]
    if keys and not (table[keys].reset_index(drop=True).astype(str) == spectra[keys].astype(str)).all(axis=None):
        raise ValueError("argument 'independent': its rows are not the joint fit's spectra in the same order")
    independent_chi = table["chi_square"].to_numpy(dtype=float)
    both = spectra["included"].to_numpy(dtype=bool) & table["success"].to_numpy(dtype=bool) & np.isfinite(independent_chi)
    if not both.any():
        raise ValueError("no spectrum is fitted in both the independent table and the joint fit")
    per_spectrum = len([name for name in table.columns if name.endswith("_stderr")])
    points = spectra["points"].to_numpy(dtype=float)
    residuals = float(np.sum(2.0 * points[both]))
    joint_chi = spectra["chi_square"].to_numpy(dtype=float)
    chi_independent = float(np.sum(independent_chi[both]))
    k_independent = int(per_spectrum * both.sum())
    # The joint fit's globals are shared by the compared spectra; its local parameters scale with them.
    local = (joint.parameter_count - len(joint.global_names)) / max(int(spectra["included"].sum()), 1)
    k_joint = int(round(local * both.sum())) + len(joint.global_names)
    chi_joint = float(np.sum(joint_chi[both]))
    numerator = k_independent - k_joint
    denominator = int(residuals) - k_independent
    if numerator > 0 and denominator > 0 and chi_independent > 0:
        f_statistic = ((chi_joint - chi_independent) / numerator) / (chi_independent / denominator)
        p_value = corvex._f_test_p_value(f_statistic, numerator, denominator)
    else:
        f_statistic, p_value = math.nan, math.nan

    def criteria(chi: float, k: int) -> dict[str, float]:
        term = residuals * math.log(max(chi, np.finfo(float).tiny) / residuals)
        return {"chi_square": chi, "parameters": k, "residuals": residuals, "aic": term + 2 * k,
                "bic": term + k * math.log(residuals)}

    criteria_table = pd.DataFrame([criteria(chi_independent, k_independent), criteria(chi_joint, k_joint)],
                                  index=pd.Index(["independent", "joint"], name="model"))
    own_dof = np.maximum(2.0 * points - per_spectrum, 1.0)
    with np.errstate(divide="ignore", invalid="ignore"):
        excess = (joint_chi - independent_chi) / (independent_chi / own_dof)
    disagreeing = spectra.loc[both, joint.by].copy()
    disagreeing["chi_square"] = joint_chi[both]
    disagreeing["independent_chi_square"] = independent_chi[both]
    disagreeing["excess"] = excess[both]
    disagreeing = disagreeing.sort_values("excess", ascending=False, kind="stable").head(int(worst))
    return Comparison(float(f_statistic), float(p_value), numerator, denominator, criteria_table,
                      disagreeing.reset_index(drop=True))
