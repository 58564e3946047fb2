"""Circuit discovery: how often random circuits of the discovery grammar come back first, its
agreement with the 11-topology ranking on that ranking's own priors, its time per spectrum on one
core with the candidate count, and on the measured files its first circuit against the ranking's best.

Arguments: synthetic spectra for (a) (default 300) and spectra per carried topology for (b)
(default 10); --parts to run only some, --cache to keep the fitted tables and --reuse to order
them again by every rule without fitting. Every rule of ORDERINGS is scored on the same fits.
Results go to benchmarks/results/discover.txt (not with --reuse)."""

import argparse
import os
import pathlib
import pickle
import re
import subprocess
import sys
import tempfile
import time

import numpy as np
import pandas as pd

import corvex
from corvex import analysis
from bench_analysis import RANKING_CHILD
from bench_ranking_accuracy import VISIBLE_CHANGE, without
from timing import machine_description

ROOT = pathlib.Path(__file__).resolve().parent.parent
# The shared data sit next to the main checkout; a worktree sits one folder deeper.
DATA = next(p / "shared" / "data" for p in pathlib.Path(__file__).resolve().parents[2:4]
            if (p / "shared" / "data").is_dir())
F = np.logspace(5, -2, 60)
TWO_PI = 2 * np.pi


def structure(text):
    """A label-free key of a notation in which series and parallel order do not matter: the
    generator below never writes mergeable neighbours, so ordering is the only freedom left."""
    position = 0

    def series():
        nonlocal position
        parts = [part()]
        while position < len(text) and text[position] == "-":
            position += 1
            parts.append(part())
        return "-".join(sorted(parts))

    def part():
        nonlocal position
        if text.startswith("p(", position) or text.startswith("(", position):
            position += 2 if text[position] == "p" else 1
            branches = [series()]
            while text[position] == ",":
                position += 1
                branches.append(series())
            position += 1
            return "(" + ",".join(sorted(branches)) + ")"
        start = position
        while text[position].isalpha():
            position += 1
        code = text[start:position]
        while position < len(text) and text[position].isdigit():
            position += 1
        return code.upper()

    return series()


def random_circuit(rng):
    """A circuit of the grammar with up to four blocks and at most ten parameters (the default
    limit): R0, one to three arcs of one capacitive kind (one of them may nest a second arc, or
    carry the one diffusion element), and maybe a tail. Time constants at least a decade apart
    inside the window, 1/(2 pi f) of F."""
    while True:
        notation, circuit = _drawn_circuit(rng)
        if len(circuit.param_names()) <= 10 and top_level_blocks(notation) <= 4:
            return notation, circuit


def top_level_blocks(notation):
    depth, blocks = 0, 1
    for character in notation:
        depth += {"(": 1, ")": -1}.get(character, 0)
        blocks += character == "-" and depth == 0
    return blocks


def _drawn_circuit(rng):
    cap = rng.choice(["C", "CPE"])
    arcs = int(rng.integers(1, 4))
    tail = rng.choice([None, "W", "Wo", "Ws", "CPE", "C"], p=[0.4, 0.15, 0.15, 0.1, 0.1, 0.1])
    inner_diffusion = tail is None and rng.random() < 0.3
    # An RC ladder without a diffusion element is the chain of RC arcs that discover names.
    nested = arcs >= 2 and rng.random() < 0.25 and (cap == "CPE" or (inner_diffusion and arcs == 2))
    lo, hi = np.log10(1 / (TWO_PI * F.max())) + 0.7, np.log10(1 / (TWO_PI * F.min())) - 1.2
    while True:
        taus = np.sort(rng.uniform(lo, hi, arcs))
        if arcs == 1 or np.diff(taus).min() >= 1.0:
            break
    r0 = 10 ** rng.uniform(-1, 1)
    values, pieces = [r0], ["R0"]
    blocks = []
    for i, log_tau in enumerate(taus, start=1):
        r = r0 * 10 ** rng.uniform(0, 1.3)
        tau = 10 ** log_tau
        if cap == "C":
            blocks.append((f"C{i}", [tau / r], r))
        else:
            alpha = rng.uniform(0.75, 0.95)
            blocks.append((f"CPE{i}", [tau ** alpha / r, alpha], r))
    names = [f"R{i}" for i in range(1, arcs + 1)]
    # The nested arc sits inside the arc of the next-slower time constant, a diffusion element
    # inside the slowest arc.
    chains = {i: [(names[i], [blocks[i][2]])] for i in range(arcs)}
    slowest = arcs - 1
    w_tau = 10 ** min(hi + 0.8, taus[-1] + 1.0)
    diffusion = {"W": lambda r: [r / np.sqrt(w_tau)], "Wo": lambda r: [r, w_tau], "Ws": lambda r: [r, w_tau]}
    if inner_diffusion:
        kind = rng.choice(["W", "Wo", "Ws"])
        chains[slowest].append((f"{kind}{slowest + 1}", diffusion[kind](blocks[slowest][2])))
    order = list(range(arcs))
    notation_parts, value_parts = [], []

    def arc_text(i, inner=None):
        text = "-".join(label for label, _ in chains[i])
        vals = [v for _, vs in chains[i] for v in vs[:1]]
        if inner is not None:
            inner_text, inner_vals = inner
            first, rest = chains[i][0], chains[i][1:]
            text = "-".join([first[0], inner_text] + [label for label, _ in rest])
            vals = list(first[1]) + inner_vals + [v for _, vs in rest for v in vs]
        else:
            vals = [v for _, vs in chains[i] for v in vs]
        return f"p({text},{blocks[i][0]})", vals + list(blocks[i][1])

    if nested:
        inner = arc_text(0)
        notation_parts.append(arc_text(1, inner))
        order = list(range(2, arcs))
    for i in order:
        notation_parts.append(arc_text(i))
    for text, vals in notation_parts:
        pieces.append(text)
        values += vals
    if tail is not None:
        if tail == "C":
            pieces.append("C9")
            values.append(10 ** hi / r0 * 10)
        elif tail == "CPE":
            pieces.append("CPE9")
            values += [10 ** hi / r0, 0.8]
        else:
            pieces.append(f"{tail}9")
            values += diffusion[tail](r0 * 3)
    notation = "-".join(pieces)
    return notation, corvex.Circuit(notation).with_values(values)


def noisy(z, sigma, rng):
    return z + sigma * np.abs(z) * (rng.standard_normal(z.size) + 1j * rng.standard_normal(z.size))


def synthetic_spectra(count):
    """The (a) spectra, the same on every run: (notation, circuit with its true values, noisy Z)."""
    rng = np.random.default_rng(2026)
    for _ in range(count):
        notation, circuit = random_circuit(rng)
        yield notation, circuit, noisy(circuit.impedance(F), 0.01, rng)


def bench_synthetic(count, out, collected):
    first = top3 = bic_first = bic_top3 = 0
    seconds, candidates, misses, classes = [], [], [], {}
    for notation, circuit, z in synthetic_spectra(count):
        start = time.process_time()
        table = analysis.discover(F, z, n_jobs=1)
        seconds.append(time.process_time() - start)
        collected.append((notation, table.drop(columns="result")))
        candidates.append(table.attrs["candidates"])
        keys = [structure(c) for c in table["circuit"]]
        truth = structure(notation)
        first += keys[:1] == [truth]
        top3 += truth in keys[:3]
        by_bic = [structure(c) for c in by_bic_alone(table)["circuit"]]
        bic_first += by_bic[:1] == [truth]
        bic_top3 += truth in by_bic[:3]
        if keys[:1] != [truth]:
            kind, detail = classify_miss(notation, circuit, z, table, keys)
            classes[kind] = classes.get(kind, 0) + 1
            misses.append(f"{notation} -> {table['circuit'].iloc[0]}  [{kind}; {detail}]")
        if len(seconds) % 20 == 0:
            print(f"  ... {len(seconds)} spectra, {first} first", file=sys.stderr, flush=True)
    out(f"(a) {count} synthetic spectra of 60 points (1e5..1e-2 Hz), random circuits of the grammar with up to "
        f"4 blocks, time constants >= 1 decade apart inside the window, 1 % noise:")
    out(f"  generating circuit first: {first}/{count} ({100 * first / count:.0f} %), within the top 3: "
        f"{top3}/{count} ({100 * top3 / count:.0f} %)")
    out(f"  the same fits ordered by BIC alone, flags informing only: first {bic_first}/{count} "
        f"({100 * bic_first / count:.0f} %), within the top 3: {bic_top3}/{count} ({100 * bic_top3 / count:.0f} %)")
    out(f"(c) processor time per 60-point spectrum, n_jobs=1, default limits: median {np.median(seconds):.2f} s, "
        f"90th percentile {np.quantile(seconds, 0.9):.2f} s; candidates fitted: median {np.median(candidates):.0f}, "
        f"range {min(candidates)}-{max(candidates)}")
    out(f"  misses by cause ({len(misses)}):")
    for kind in MISS_CLASSES:
        out(f"    {classes.get(kind, 0):3d}  {kind}")
    out("  first misses (generating -> ranked first [cause; generating row's chi2 vs from its true values, "
        "vs the first row's]):")
    for line in misses[:12 if count > 100 else None]:
        out(f"    {line}")


# Why the generating circuit did not come first. Its fit is stuck when its chi-square exceeds
# that of a fit started from the true values by 2 % (the BIC of 120 residuals moves by 2.4).
MISS_CLASSES = ("in the top 3, fit sound", "in the top 3, fit stuck", "ranked below 3, fit sound",
                "ranked below 3, fit stuck", "pruned (more arcs than DRT peaks + 1 and its shoulders)",
                "collapsed as a duplicate", "absent also with only its own elements and size (collapsed there too)")
STUCK = 1.02


def classify_miss(notation, circuit, z, table, keys):
    truth = structure(notation)
    if truth in keys:
        row = table.iloc[keys.index(truth)]
        refit = circuit.fit(F, z, guess_init=False)
        ratio = row["chi_square"] / refit.chi_square
        stuck = ratio > STUCK
        where = "in the top 3" if keys.index(truth) < 3 else "ranked below 3"
        kind = f"{where}, fit {'stuck' if stuck else 'sound'}"
        return kind, (f"rank {keys.index(truth) + 1}, chi2 x{ratio:.3f} of the true start's, "
                      f"x{row['chi_square'] / table['chi_square'].iloc[0]:.3f} of the first's")
    distribution = analysis.drt(F, z)
    arcs, peaks, concave = notation.count("p("), len(distribution.peaks), concave_stretches(distribution)
    if arcs > max(peaks + 1, concave):
        return MISS_CLASSES[4], f"{arcs} arcs, {peaks} peaks, {concave} concave stretches"
    codes = sorted({re.sub(r"\d+$", "", name) for name in re.findall(r"[A-Za-z]+\d+", notation)})
    own = analysis.discover(F, z, elements=codes, max_parameters=len(circuit.param_names()), n_jobs=1)
    if truth in [structure(c) for c in own["circuit"]]:
        return MISS_CLASSES[5], f"{len(own)} rows with only {','.join(codes)}"
    return MISS_CLASSES[6], f"{len(own)} rows with only {','.join(codes)}"


def concave_stretches(distribution, share=0.1):
    """The pruning's count of peaks and shoulders: stretches where gamma is concave in ln tau,
    inside the window and at least `share` of its highest value there."""
    x, gamma = np.log(distribution.tau), np.asarray(distribution.gamma)
    window = (x >= -np.log(TWO_PI * F.max())) & (x <= -np.log(TWO_PI * F.min()))
    slopes = np.diff(gamma) / np.diff(x)
    concave = (slopes[1:] < slopes[:-1]) & window[1:-1] & (gamma[1:-1] >= share * gamma[window].max())
    return int(concave[0] + np.sum(concave[1:] & ~concave[:-1]))


def by_bic_alone(table):
    """The rows as the ranking orders its own: by BIC, flagged fits where their BIC puts them."""
    return table[table["bic"].notna()].sort_values("bic", kind="stable")


def bic(chi_square, parameters, points=F.size):
    """The table's BIC of a fit: 2 n residuals, n ln(chi2 / 2n) + k ln 2n."""
    n = 2 * points
    return n * np.log(chi_square / n) + parameters * np.log(n)


def every_element_visible(notation, circuit):
    """Whether removing any element but R0 (shorting a series one, opening its branch) changes
    |Z| by more than VISIBLE_CHANGE somewhere in F, the ranking benchmarks' test of a visible element."""
    z = np.abs(circuit.impedance(F))
    by_name = dict(zip(circuit.param_names(), circuit.param_values()))
    for name in sorted({p.split(".")[0] for p in circuit.param_names()} - {"R0"}):
        other = corvex.Circuit(without(notation, name))
        other = other.with_values([by_name[p] for p in other.param_names()])
        if not np.max(np.abs(np.abs(other.impedance(F)) / z - 1)) > VISIBLE_CHANGE:
            return False
    return True


def bench_reach(synthetic, out):
    """What any order can reach on the (a) fits: rows with fewer parameters than the generating
    circuit whose BIC beats its fit from the true values (or the table's fit, where lower)."""
    beaten, visible = [], []
    for (notation, table), (drawn, circuit, z) in zip(synthetic, synthetic_spectra(len(synthetic))):
        assert notation == drawn, "the cached tables come from other spectra"
        k = len(circuit.param_names())
        chi_square = circuit.fit(F, z, guess_init=False).chi_square
        own = table[[structure(c) == structure(notation) for c in table["circuit"]]]
        if len(own):
            chi_square = min(chi_square, own["chi_square"].min())
        simpler = table[(table["parameters"] < k) & (table["bic"] < bic(chi_square, k))]
        beaten.append(len(simpler))
        visible.append(every_element_visible(notation, circuit))
    ranks = [[structure(c) for c in table["circuit"].iloc[:3]] for _, table in synthetic]
    truths = [structure(notation) for notation, _ in synthetic]
    count = len(synthetic)

    def share(hits, among):
        hits, among = sum(h and a for h, a in zip(hits, among)), sum(among)
        return f"{hits}/{among} ({100 * hits / max(among, 1):.0f} %)"

    first = [r[:1] == [t] for r, t in zip(ranks, truths)]
    top3 = [t in r for r, t in zip(ranks, truths)]
    out(f"  what any BIC order can reach: a candidate with fewer parameters than the generating circuit has a lower "
        f"BIC than its fit from the true values (or the table's, where lower) in {sum(b >= 1 for b in beaten)}/{count}, "
        f"so no order by BIC puts it first; three or more do in {sum(b >= 3 for b in beaten)}/{count}, so none puts "
        f"it in the top 3")
    out(f"  identifiable spectra: first {share(first, [b == 0 for b in beaten])} where none does, "
        f"top 3 {share(top3, [b < 3 for b in beaten])} where fewer than three do")
    out(f"  every element visible (removing any but R0 changes |Z| by more than 5 %): {sum(visible)}/{count}; "
        f"first {share(first, visible)}, top 3 {share(top3, visible)}")


def nesting(notation):
    depth = deepest = 0
    for character in notation:
        depth += {"(": 1, ")": -1}.get(character, 0)
        deepest = max(deepest, depth)
    return deepest


def carried_structures():
    return {structure(notation) for notation in carried_notation().values()}


def distributed(notation):
    return notation.count("CPE") + notation.count("W")


def ordered(rows, criterion, flagged_last=False, margin=None, simplicity=("parameters",), white=None):
    """The rows of one spectrum by `criterion`, flagged fits after the sound ones if
    `flagged_last` (and, with `white`, fits whose runs test p-value is below it); with a
    `margin`, of the leading tier's fits within it of the best, the simplest by the
    `simplicity` keys (carried or not, parameters, distributed elements, nesting) comes first."""
    rows = rows[np.isfinite(rows[criterion].to_numpy(float))].copy()
    rows["tier"] = rows["flagged"].astype(int) if flagged_last else 0
    if white is not None:
        rows["tier"] = rows["tier"] | (rows["runs_p"].fillna(1.0) < white)
    rows = rows.sort_values(["tier", criterion], kind="stable")
    if margin is None or rows.empty:
        return rows
    lead = rows[(rows["tier"] == rows["tier"].iloc[0]) & (rows[criterion] <= rows[criterion].iloc[0] + margin)]
    carried = carried_structures()
    measures = {"carried": lambda row: structure(row["circuit"]) not in carried,
                "parameters": lambda row: row["parameters"], "distributed": lambda row: distributed(row["circuit"]),
                "nesting": lambda row: nesting(row["circuit"])}
    simplest = min(range(len(lead)), key=lambda r: tuple(measures[m](lead.iloc[r]) for m in simplicity) + (r,))
    return pd.concat([lead.iloc[[simplest]], rows.drop(index=lead.index[simplest])])


PN, PDN, CPN = ("parameters", "nesting"), ("parameters", "distributed", "nesting"), ("carried", "parameters", "nesting")
# Ordering rules applied to the same fits: the table's own order and the alternatives; simplest
# by [c]arried topology first, fewest [p]arameters, fewest [d]istributed elements, shallowest [n]esting.
ORDERINGS = {
    "as returned": lambda rows: rows,
    "BIC": lambda rows: ordered(rows, "bic"),
    "BIC, flagged last": lambda rows: ordered(rows, "bic", flagged_last=True),
    "BIC, flagged last, simplest within 2 [p, n]": lambda rows: ordered(rows, "bic", True, 2.0, PN),
    "BIC, simplest within 2 [p, n]": lambda rows: ordered(rows, "bic", margin=2.0, simplicity=PN),
    "BIC, simplest within 2 [p, d, n]": lambda rows: ordered(rows, "bic", margin=2.0, simplicity=PDN),
    "BIC, simplest within 3 [p, n]": lambda rows: ordered(rows, "bic", margin=3.0, simplicity=PN),
    "BIC, simplest within 2 [c, p, n]": lambda rows: ordered(rows, "bic", margin=2.0, simplicity=CPN),
    "BIC, simplest within 3 [c, p, n]": lambda rows: ordered(rows, "bic", margin=3.0, simplicity=CPN),
    "BIC, runs p < 0.001 last, simplest within 3 [c, p, n]": lambda rows: ordered(rows, "bic", margin=3.0,
                                                                               simplicity=CPN, white=1e-3),
    "AICc, fewer parameters within 2": lambda rows: ordered(rows, "aicc", margin=2.0),
    "AICc, flagged last, fewer parameters within 2": lambda rows: ordered(rows, "aicc", True, 2.0),
}


def first_circuits(table, rule):
    """Per spectrum of a (batch) table, the circuit `rule` puts first."""
    groups = table.groupby("spectrum", sort=True) if "spectrum" in table else [(0, table)]
    return [ORDERINGS[rule](rows)["circuit"].iloc[0] for _, rows in groups]


def carried_notation():
    return {key: corvex._circuit_record(corvex.Circuit(key))[0] for key in corvex.Circuit.ml_circuits()}


def bench_carried(per_topology, out, cached=None):
    if cached is None:
        child = RANKING_CHILD.split("analysis.rank_circuits(spectra[0][0]")[0] + (
            "np.savez(sys.argv[3], *[np.stack([f, z]) for f, z in spectra], truth=np.array(truth))\n")
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "spectra.npz")
            subprocess.run([sys.executable, "-c", child, str(ROOT / "training"), str(per_topology), path], check=True)
            stored = np.load(path)
            truth = list(stored["truth"])
            spectra = [(stored[f"arr_{i}"][0].real, stored[f"arr_{i}"][1]) for i in range(len(truth))]
        ranked = analysis.rank_circuits(spectra, n_jobs=2).drop(columns="result")
        table = analysis.discover(spectra, n_jobs=2).drop(columns="result")
        cached = (truth, ranked, table)
    truth, ranked, table = cached
    ranked_first = ranked[ranked["rank"] == 1].sort_values("spectrum")["circuit"].tolist()
    notation = carried_notation()
    keys = [structure(notation[r]) for r in ranked_first]
    discovered = first_circuits(table, "as returned")
    agree = sum(k == structure(d) for k, d in zip(keys, discovered))
    truth_first = sum(structure(notation[t]) == structure(d) for t, d in zip(truth, discovered))
    out(f"(b) {len(truth)} spectra from the eleven carried topologies' training priors ({per_topology} each, every "
        f"element visible, as bench_analysis draws them):")
    out(f"  discover's first circuit is rank_circuits' first: {agree}/{len(truth)} ({100 * agree / len(truth):.0f} %); "
        f"it is the generating topology: {truth_first}/{len(truth)} ({100 * truth_first / len(truth):.0f} %)")
    out("  disagreements (generating: ranking's first, its chi-square there and in discover; discover's first):")
    for s, (key, first) in enumerate(zip(keys, discovered)):
        if key == structure(first):
            continue
        mine = table[table["spectrum"] == s]
        theirs = ranked[(ranked["spectrum"] == s) & (ranked["rank"] == 1)].iloc[0]
        same = mine[[structure(c) == key for c in mine["circuit"]]]
        row = mine[mine["circuit"] == first].iloc[0]
        there = (f"{same['chi_square'].iloc[0]:.4g}{' flagged' if same['flagged'].iloc[0] else ''} "
                 f"(BIC {same['bic'].iloc[0] - row['bic']:+.1f})" if len(same) else "absent")
        out(f"    {truth[s]}: {theirs['circuit']} chi2 {theirs['chi_square']:.4g} vs {there}; "
            f"{first} chi2 {row['chi_square']:.4g}{' flagged' if row['flagged'] else ''}")
    return cached


def measured_spectra():
    def pair(frame):
        f = frame["Frequency / Hz"].to_numpy()
        z = frame["Real Impedance / ohm"].to_numpy() + 1j * frame["Imaginary Impedance / ohm"].to_numpy()
        return f, z
    for name in ("li-ion-example", "dummy-circuit-1", "dummy-circuit-2", "dummy-circuit-3", "autoeis-test-data"):
        yield name, pair(pd.read_csv(DATA / f"{name}.csv"))
    cycling = pd.read_csv(DATA / "coin-cell-cycling.csv")
    for cycle in (0, 32, 64, 96, 129):
        yield f"coin-cell cycle {cycle}", pair(cycling[cycling["Cycle"] == cycle])


def bench_measured(out, cached=None):
    if cached is None:
        cached = [(name, analysis.discover(f, z, n_jobs=1).drop(columns="result"),
                   analysis.rank_circuits(f, z, n_jobs=1).drop(columns="result"))
                  for name, (f, z) in measured_spectra()]
    out("(d) measured files: discover's first circuit against the best AICc of the eleven carried topologies")
    at_least = 0
    for name, table, ranked in cached:
        best = ranked["aicc"].min()
        mine = table["aicc"].iloc[0]
        at_least += mine <= best
        out(f"  {name:20s} {table['circuit'].iloc[0]:34s} AICc {mine:9.1f} vs {best:9.1f} "
            f"({ranked.loc[ranked['aicc'].idxmin(), 'circuit']}); {table.attrs['candidates']} candidates")
    out(f"  first circuit's AICc at least as good: {at_least}/{len(cached)}")
    return cached


def bench_orderings(synthetic, carried, measured, out):
    """Every ordering rule on the same fits: (a) first and top 3, (b) agreement and truth, (d) count."""
    out("Ordering rules on the same fits: (a) generating circuit first / top 3, (b) agrees with rank_circuits / "
        "is the generating topology, (d) first circuit's AICc at least the carried topologies' best; simplest by "
        "[c]arried topology first, fewest [p]arameters, fewest [d]istributed (CPE, diffusion) elements, "
        "shallowest [n]esting")
    notation = carried_notation()
    for rule, order in ORDERINGS.items():
        parts = []
        if synthetic:
            keys = [(structure(n), [structure(c) for c in order(t)["circuit"].iloc[:3]]) for n, t in synthetic]
            parts.append(f"(a) {100 * np.mean([k[:1] == [t] for t, k in keys]):3.0f} % / "
                         f"{100 * np.mean([t in k for t, k in keys]):3.0f} %")
        if carried:
            truth, ranked, table = carried
            ranked_first = ranked[ranked["rank"] == 1].sort_values("spectrum")["circuit"]
            firsts = [structure(c) for c in first_circuits(table, rule)]
            agree = np.mean([structure(notation[r]) == d for r, d in zip(ranked_first, firsts)])
            parts.append(f"(b) {100 * agree:3.0f} % / "
                         f"{100 * np.mean([structure(notation[t]) == d for t, d in zip(truth, firsts)]):3.0f} %")
        if measured:
            hits = sum(order(table)["aicc"].iloc[0] <= ranked["aicc"].min() for _, table, ranked in measured)
            parts.append(f"(d) {hits}/{len(measured)}")
        out(f"  {rule:54s} " + "  ".join(parts))


RESULTS = ROOT / "benchmarks" / "results" / "discover.txt"
SECTION_STARTS = {"(a)": "a", "(b)": "b", "(d)": "d", "Ordering rules": "orderings"}
ORDERING_ROW = re.compile(r"^  (.{54}) (\(.*)$")


def sections_of(body):
    """Lines of a results body by part: notes before the first part, a (with c), b, d, orderings."""
    sections, current = {"notes": []}, "notes"
    for line in body:
        current = next((part for start, part in SECTION_STARTS.items() if line.startswith(start)), current)
        sections.setdefault(current, []).append(line)
    return sections


def ordering_columns(lines):
    """The ordering table's rows as rule -> {part: its column}."""
    rows = {}
    for line in lines:
        match = ORDERING_ROW.match(line)
        if match:
            columns = re.split(r"  (?=\([abd]\) )", match.group(2))
            rows[match.group(1).rstrip()] = {column[1]: column for column in columns}
    return rows


def write_results(header, body, parts, provenance):
    """Writes results/discover.txt: the parts run now replace theirs (`provenance` says when and
    how, where other parts stay), the other parts' lines and the history after the first blank line stay."""
    old = RESULTS.read_text().splitlines() if RESULTS.exists() else []
    blank = old.index("") if "" in old else len(old)
    history = old[blank:]
    new = sections_of(body)
    if parts == "abd" or not old:
        lines = header + body
    else:
        kept = sections_of(old[2:blank])
        header = old[:1] + header[1:]
        kept["notes"] = kept.get("notes", []) + [f"  ({'), ('.join(parts)}) measured again {provenance}"]
        rows, columns = ordering_columns(kept.get("orderings", [])), ordering_columns(new["orderings"])
        for rule, measured in columns.items():
            rows.setdefault(rule, {}).update(measured)
        kept["orderings"] = new["orderings"][:1] + [
            f"  {rule:54s} " + "  ".join(rows[rule][part] for part in "abd" if part in rows[rule]) for rule in ORDERINGS]
        for part in parts:
            kept[part] = new.get(part, [])
        lines = header[:2] + kept["notes"] + [line for part in "abd" for line in kept.get(part, [])] + kept["orderings"]
    RESULTS.write_text("\n".join(lines + history) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("count", nargs="?", type=int, default=300, help="synthetic spectra for (a)")
    parser.add_argument("per_topology", nargs="?", type=int, default=10, help="spectra per carried topology for (b)")
    parser.add_argument("--parts", default="abd", help="which of (a) with (c), (b), (d) to run")
    parser.add_argument("--cache", help="pickle of the fitted tables: written after a run, read with --reuse")
    parser.add_argument("--reuse", action="store_true", help="order the cached tables instead of fitting")
    options = parser.parse_args()
    parts = "".join(part for part in "abd" if part in options.parts)
    command = (f"python benchmarks/bench_discover.py {options.count} {options.per_topology}"
               + ("" if parts == "abd" else f" --parts {','.join(parts)}"))
    provenance = f"{time.strftime('%Y-%m-%d')} with {command}"
    header = [f"Circuit discovery  [measured {provenance}]", machine_description()]
    body = []

    def out(line):
        print(line, flush=True)
        body.append(line)

    for line in header:
        print(line)
    cached = {"synthetic": [], "carried": None, "measured": None}
    if options.reuse:
        with open(options.cache, "rb") as stored:
            cached = pickle.load(stored)
    elif "a" in parts:
        bench_synthetic(options.count, out, cached["synthetic"])
    if "a" in parts and cached["synthetic"]:
        bench_reach(cached["synthetic"], out)
    if "b" in parts:
        cached["carried"] = bench_carried(options.per_topology, out, cached["carried"])
    if "d" in parts:
        cached["measured"] = bench_measured(out, cached["measured"])
    bench_orderings(cached["synthetic"] if "a" in parts else [], cached["carried"] if "b" in parts else None,
                    cached["measured"] if "d" in parts else None, out)
    if options.cache and not options.reuse:
        with open(options.cache, "wb") as stored:
            pickle.dump(cached, stored)
    if not options.reuse:
        write_results(header, body, parts, provenance)


if __name__ == "__main__":
    main()
