# The repaired wheel in build/wheelhouse (made by `make wheel`) installed into a fresh venv
# outside the source tree: it runs the smoke script, and Dask workers install it on start.
import os
import pathlib
import shutil
import subprocess
import sys

import pytest

ROOT = pathlib.Path(__file__).resolve().parent.parent
WHEELS = sorted((ROOT / "build" / "wheelhouse").glob("corvex-*manylinux*.whl"))

pytestmark = pytest.mark.skipif(not WHEELS, reason="no repaired wheel in build/wheelhouse: run `make wheel`")


def isolated_environment(venv):
    """The environment of a user's shell: no build tree on the path, no system libraries
    pointed at, pip's own configuration kept so that it finds its index."""
    env = {key: value for key, value in os.environ.items()
           if key.startswith("PIP_") or key in ("HOME", "LANG", "TMPDIR")}
    env.update(PATH=f"{venv / 'bin'}{os.pathsep}/usr/bin{os.pathsep}/bin", LD_LIBRARY_PATH="", PYTHONNOUSERSITE="1",
               MPLBACKEND="Agg")
    return env


@pytest.fixture(scope="module")
def fresh_venv(tmp_path_factory):
    """A venv with what corvex[plot,dask] needs but not corvex, in a folder of its own."""
    folder = tmp_path_factory.mktemp("fresh")
    venv = folder / "venv"
    subprocess.run([sys._base_executable, "-m", "venv", str(venv)], check=True)
    env = isolated_environment(venv)
    requirements = subprocess.run([sys.executable, "-c", "import importlib.metadata as m; "
                                   "print('\\n'.join(m.requires('corvex') or []))"],
                                  capture_output=True, text=True, check=True).stdout.split("\n")
    needed = [line for line in requirements if line.strip() and not line.startswith("corvex")
              and (";" not in line or '"plot"' in line or '"dask"' in line)]
    dependencies = [line.split(";")[0].strip() for line in needed]
    subprocess.run([str(venv / "bin" / "python"), "-m", "pip", "install", "-q", *dependencies],
                   cwd=folder, env=env, check=True)
    return folder, venv, env


def run_in(fresh_venv, *args):
    folder, venv, env = fresh_venv
    return subprocess.run([str(venv / "bin" / "python"), *args], cwd=folder, env=env,
                          capture_output=True, text=True, timeout=600)


def test_wheel_runs_without_the_source_tree_or_system_libraries(fresh_venv):
    folder, venv, env = fresh_venv
    subprocess.run([str(venv / "bin" / "python"), "-m", "pip", "install", "-q", "--no-deps", "--force-reinstall",
                    str(WHEELS[-1])], cwd=folder, env=env, check=True)
    shutil.copy(ROOT / "tests" / "wheel_smoke.py", folder)
    shutil.copy(ROOT / "tests" / "data" / "instruments" / "exampleDataGamry.DTA", folder)
    smoke = run_in(fresh_venv, "wheel_smoke.py", str(folder))
    assert smoke.returncode == 0, smoke.stderr
    extension = pathlib.Path(smoke.stdout.split()[0])
    assert extension.is_relative_to(venv), smoke.stdout
    linked = subprocess.run(["ldd", str(extension)], capture_output=True, text=True, env=env, check=True).stdout
    assert "not found" not in linked and "cminpack" not in linked, linked


DASK_ON_WORKERS = """
import sys
import distributed
from distributed.diagnostics.plugin import PipInstall

with distributed.LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None) as cluster, \\
        distributed.Client(cluster) as client:
    client.register_plugin(PipInstall([sys.argv[1]], pip_options=["--no-deps"],
                                      restart_workers=True))
    import corvex, corvex.dask, dask.dataframe as dd, numpy as np, pandas as pd
    f = np.logspace(4, -1, 30)
    frames = []
    for cycle, r1 in enumerate([40.0, 60.0, 90.0, 130.0]):
        z = corvex.Circuit("R0-(R1,C1)").with_values([5.0, r1, 1e-4]).impedance(f)
        frames.append(pd.DataFrame({"Cycle": cycle, "Frequency / Hz": f, "Real Impedance / ohm": z.real,
                                    "Imaginary Impedance / ohm": z.imag}))
    data = dd.from_pandas(pd.concat(frames), npartitions=2)
    table = corvex.dask.fit(corvex.Circuit("R0-(R1,C1)"), data, by="Cycle").compute().sort_values("Cycle")
    print([round(result.params["R1.r"], 6) for result in table["result"]])
    print(set(client.run(lambda: __import__("corvex").__file__).values()))
"""


def test_dask_workers_install_the_wheel_on_start(fresh_venv):
    run = run_in(fresh_venv, "-c", DASK_ON_WORKERS, str(WHEELS[-1]))
    assert run.returncode == 0, run.stderr
    fitted, worker_modules = run.stdout.strip().split("\n")[-2:]
    assert fitted == "[40.0, 60.0, 90.0, 130.0]"
    assert str(fresh_venv[1]) in worker_modules
