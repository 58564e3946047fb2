"""Writes training/REPORT.md: per topology, guess errors on a held-out
synthetic set (data.TAG_TEST, a seed stream never used for training or
validation) decoded through the float16 network exactly as inference runs it
(weights/<key>.eisnn, float64 arithmetic), the float32 checkpoint's errors
for comparison, training time per model, and the fit-success section filled
by fit_eval.py (which needs corvex's fit()).
"""
import datetime
import json
import os

import numpy as np

from . import data as D
from .infer import load_file, load_checkpoint
from .topologies import MODELS, KEYS
from .paths import CKPT_DIR, WEIGHTS_DIR, LOG_DIR, HERE

N_TEST = 5000


def test_set(key, n=N_TEST):
    rng = D.chunk_rng(key, D.TAG_TEST, 0)
    freqs, zs, params = D.draw_spectra(key, rng, n)
    feats, extras, _, zsc, wsc = D.featurise(key, freqs, zs, params)
    return freqs, zs, params, feats, extras, zsc, wsc


def rel_errors(model, feats, extras, zsc, wsc, params):
    out = np.concatenate([model.raw(feats[i:i + 1000], extras[i:i + 1000])
                          for i in range(0, len(feats), 1000)])
    g = model.decode(out, zsc, wsc)
    return np.abs(g - params) / np.abs(params)


def fmt(x):
    if not np.isfinite(x):
        return "nan"
    return f"{100 * x:.1f} %" if x < 10 else f"{x:.0f}×"


def main():
    lines = []
    now = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
    lines += [
        "# Initial-guess networks: training report",
        "",
        f"Written by `make -C training report` ({now}).",
        "",
        f"Held-out set: {N_TEST} synthetic spectra per topology, drawn from the priors of",
        "PRIORS.md with a seed stream (`TAG_TEST`) never used for training or validation.",
        "Relative error = |guess − true| / |true| per parameter. \"f16\" is the shipped",
        "weights/<key>.eisnn (binary16 network tensors) run in float64 the way the",
        "library's inference runs it; \"f32\" is the float32 training checkpoint before",
        "export (shown when the checkpoint is on this machine).",
        "",
        "Targets of topologies with two interchangeable arcs are ordered canonically",
        "(faster arc, smaller time constant, first); errors are measured against that",
        "ordering.",
        "",
    ]
    summary = []
    for key in KEYS:
        circuit, names, C, nbytes = MODELS[key]
        path = os.path.join(WEIGHTS_DIR, key + ".eisnn")
        lines.append(f"## {key}: `{circuit}`")
        lines.append("")
        if not os.path.exists(path):
            lines += ["Weights not produced yet.", ""]
            summary.append((key, None, None, None))
            continue
        tlog = os.path.join(LOG_DIR, key + ".json")
        info = json.load(open(tlog)) if os.path.exists(tlog) else {}
        secs = sum(v["seconds"] for v in info.values())
        stages = ", ".join(f"{k}: {v['steps']} steps × batch {v['batch']}, {v['seconds'] / 60:.1f} min"
                           for k, v in sorted(info.items()))
        freqs, zs, params, feats, extras, zsc, wsc = test_set(key)
        m16 = load_file(path)
        e16 = rel_errors(m16, feats, extras, zsc, wsc, params)
        m32 = None
        if os.path.isdir(os.path.join(CKPT_DIR, key)):
            try:
                m32 = load_checkpoint(key, CKPT_DIR)
            except Exception:
                m32 = None
        e32 = rel_errors(m32, feats, extras, zsc, wsc, params) if m32 is not None else None
        lines.append(f"Channels {C}, file {os.path.getsize(path)} bytes; training: "
                     f"{stages or 'no log'}; total {secs / 60:.1f} min.")
        lines.append("")
        hdr = "| parameter | median f16 | p90 f16 | share ≤ 10 % | share ≤ 50 % |"
        sep = "|---|---|---|---|---|"
        if e32 is not None:
            hdr += " median f32 | p90 f32 |"
            sep += "---|---|"
        lines += [hdr, sep]
        for j, nm in enumerate(names):
            e = e16[:, j]
            row = (f"| {nm} | {fmt(np.median(e))} | {fmt(np.quantile(e, 0.9))} | "
                   f"{100 * np.mean(e <= 0.1):.0f} % | {100 * np.mean(e <= 0.5):.0f} % |")
            if e32 is not None:
                row += f" {fmt(np.median(e32[:, j]))} | {fmt(np.quantile(e32[:, j], 0.9))} |"
            lines.append(row)
        lines.append("")
        summary.append((key, float(np.median(e16)), float(np.quantile(e16, 0.9)), secs))

    lines += ["## Summary", "", "| model | median rel. error (all params) | p90 | training time |",
              "|---|---|---|---|"]
    for key, med, p90, secs in summary:
        if med is None:
            lines.append(f"| {key} | — | — | — |")
        else:
            lines.append(f"| {key} | {fmt(med)} | {fmt(p90)} | {secs / 60:.1f} min |")
    lines.append("")

    lines += ["## Fit success rates", ""]
    fpath = os.path.join(LOG_DIR, "fit_success.json")
    if os.path.exists(fpath):
        fs = json.load(open(fpath))
        lines += [
            f"{fs.get('note', '')}",
            "",
            "A fit counts as reaching the optimum when its final cost is within 1e-6",
            "relative of a fit started from the true parameters, or lower (plus an",
            "absolute 1e-20, which only matters for noise-free spectra fitted to round-off).",
            "",
            "| model | spectra | default fit (guess) | `guess_init=False` | goal |",
            "|---|---|---|---|---|"]
        for key in KEYS:
            if key in fs.get("results", {}):
                r = fs["results"][key]
                ok = "met" if r["guess"] >= 0.99 else "**not met**"
                lines.append(f"| {key} | {r['n']} | {100 * r['guess']:.1f} % | "
                             f"{100 * r['default']:.1f} % | ≥ 99 %: {ok} |")
        lines.append("")
    else:
        lines += [
            "**PENDING** — needs `corvex.Circuit.fit()` with guessing (the fitting and",
            "guessing issues). Hook: with corvex importable under Python 3.12, run",
            "`make -C training fit-eval` (runs `corvex_train/fit_eval.py`, NumPy + corvex",
            "only), which writes `training/logs/fit_success.json`; then `make -C training",
            "report` fills this section: for every topology the share of default fits",
            "`Circuit(key).fit(f, z)` reaching the optimum against the share for",
            "`guess_init=False`, goal ≥ 99 % from the guess.",
            ""]
    with open(os.path.join(HERE, "REPORT.md"), "w") as fh:
        fh.write("\n".join(lines))
    print("wrote", os.path.join(HERE, "REPORT.md"))


if __name__ == "__main__":
    main()
