# What a user does first after installing the wheel, run inside a fresh venv: read an
# instrument file, fit it, fit a batch, draw one plot; prints where corvex came from.
import pathlib
import sys

import matplotlib

matplotlib.use("Agg")

import numpy as np  # noqa: E402
import pandas as pd  # noqa: E402

import corvex  # noqa: E402
import corvex.batch  # noqa: E402
import corvex.io  # noqa: E402
import corvex.plot  # noqa: E402
import corvex.version  # noqa: E402

folder = pathlib.Path(sys.argv[1])
frame = corvex.io.read(folder / "exampleDataGamry.DTA")
result = corvex.Circuit("R0-(R1,CPE1)").fit(frame)
assert np.isfinite(result.chi_square), result

frequencies = np.logspace(5, -1, 40)
truth = corvex.Circuit("R0-(R1,C1)")
spectra = []
for spectrum, r1 in enumerate([50.0, 80.0, 120.0]):
    z = truth.with_values([10.0, r1, 2e-5]).impedance(frequencies)
    spectra.append(pd.DataFrame({"Spectrum": spectrum, "Frequency / Hz": frequencies,
                                 "Real Impedance / ohm": z.real, "Imaginary Impedance / ohm": z.imag}))
table = corvex.batch.fit(truth, pd.concat(spectra), by="Spectrum")
fitted_r1 = [fit.params["R1.r"] for fit in table["result"]]
assert np.allclose(fitted_r1, [50.0, 80.0, 120.0], rtol=1e-6), fitted_r1

ax = corvex.plot.nyquist(frame, result=result)
ax.figure.savefig(folder / "nyquist.png")
print(corvex.__file__, corvex.version.__version__)
