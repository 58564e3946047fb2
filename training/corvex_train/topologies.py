"""The eleven carried models: registry keys, circuits, parameter names,
channel counts, expected file sizes and the per-parameter scaling rules.
"""
from collections import OrderedDict

# key -> (circuit, param_names, channels, expected file bytes)
MODELS = OrderedDict([
    ("rc", ("R0-(R1,C1)", ["R0.r", "R1.r", "C1.c"], 16, 37039)),
    ("rc_l", ("L0-R0-(R1,C1)", ["L0.l", "R0.r", "R1.r", "C1.c"], 32, 138455)),
    ("rq", ("R0-(R1,CPE1)", ["R0.r", "R1.r", "CPE1.q", "CPE1.alpha"], 32, 138462)),
    ("rq_l", ("L0-R0-(R1,CPE1)", ["L0.l", "R0.r", "R1.r", "CPE1.q", "CPE1.alpha"], 32, 139014)),
    ("two_rc", ("R0-(R1,C1)-(R2,C2)", ["R0.r", "R1.r", "C1.c", "R2.r", "C2.c"], 32, 139009)),
    ("two_rc_l", ("L0-R0-(R1,C1)-(R2,C2)", ["L0.l", "R0.r", "R1.r", "C1.c", "R2.r", "C2.c"], 32, 139561)),
    ("two_rq", ("R0-(R1,CPE1)-(R2,CPE2)",
                ["R0.r", "R1.r", "CPE1.q", "CPE1.alpha", "R2.r", "CPE2.q", "CPE2.alpha"], 32, 140127)),
    ("two_rq_l", ("L0-R0-(R1,CPE1)-(R2,CPE2)",
                  ["L0.l", "R0.r", "R1.r", "CPE1.q", "CPE1.alpha", "R2.r", "CPE2.q", "CPE2.alpha"], 32, 140679)),
    ("randles", ("R0-(R1-W1,CPE1)", ["R0.r", "R1.r", "W1.aw", "CPE1.q", "CPE1.alpha"], 32, 139015)),
    ("sei_randles", ("R0-(R1,CPE1)-(R2-W2,CPE2)",
                     ["R0.r", "R1.r", "CPE1.q", "CPE1.alpha", "R2.r", "W2.aw", "CPE2.q", "CPE2.alpha"], 64, 541576)),
    ("sei_randles_wo", ("R0-(R1,CPE1)-(R2-Wo2,CPE2)",
                        ["R0.r", "R1.r", "CPE1.q", "CPE1.alpha", "R2.r", "Wo2.z0", "Wo2.tau", "CPE2.q", "CPE2.alpha"],
                        64, 542642)),
])

KEYS = list(MODELS)

HEADER_CONST = {
    "estimator": "reactive_centroid",
    "n_grid": "64",
    "kernel": "5",
    "groups": "8",
    "dilations": "1,2,4,8",
    "alpha_min": "0.05",
    "alpha_max": "1.0",
}
ALPHA_MIN = 0.05
ALPHA_MAX = 1.0

# scaling rule by parameter kind: field -> (a, b, c, uses_alpha, log_param)
_RULES = {
    ("R", "r"): (1.0, 0.0, 0.0, False, 1),
    ("Wo", "z0"): (1.0, 0.0, 0.0, False, 1),
    ("C", "c"): (-1.0, -1.0, 0.0, False, 1),
    ("L", "l"): (1.0, -1.0, 0.0, False, 1),
    ("W", "aw"): (1.0, 0.5, 0.0, False, 1),
    ("Wo", "tau"): (0.0, -1.0, 0.0, False, 1),
    ("CPE", "q"): (-1.0, 0.0, -1.0, True, 1),
    ("CPE", "alpha"): (0.0, 0.0, 0.0, False, 0),
}


def element_kind(name):
    """'CPE1' -> 'CPE', 'Wo2' -> 'Wo', 'R0' -> 'R'."""
    return name.rstrip("0123456789")


def scaling_table(param_names):
    """Returns (scaling rows [P][4], log_params [P]) for a parameter list."""
    rows, logs = [], []
    for nm in param_names:
        elem, field = nm.split(".")
        kind = element_kind(elem)
        a, b, c, uses_alpha, lg = _RULES[(kind, field)]
        idx = -1.0
        if uses_alpha:
            idx = float(param_names.index(elem + ".alpha"))
        rows.append([a, b, c, idx])
        logs.append(float(lg))
    return rows, logs
