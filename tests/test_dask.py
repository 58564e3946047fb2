# Fitting a dask DataFrame on a real two-process LocalCluster: the table equals the batch run
# in one process, whether partitions are shuffled into whole spectra or already hold them.
import logging
import pathlib

import pandas as pd
import pytest

import corvex
import corvex.batch
import corvex.dask

dd = pytest.importorskip("dask.dataframe")
distributed = pytest.importorskip("distributed")

CYCLES = pd.read_csv(pathlib.Path(__file__).parent / "data" / "coin-cell-cycling.csv").query("Cycle < 24")


@pytest.fixture(scope="module")
def client():
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None,
                                  silence_logs=logging.ERROR) as cluster, distributed.Client(cluster) as client:
        yield client


def assert_same_table(got, expected):
    got = got.sort_index().reset_index(drop=True)
    pd.testing.assert_frame_equal(got.drop(columns="result"), expected.drop(columns="result"))
    assert [repr(result) for result in got["result"]] == [repr(result) for result in expected["result"]]


@pytest.mark.parametrize("circuit", ["two_rq", "R0-(R1,CPE1)-Wo2"])
def test_cluster_table_equals_the_local_batch(client, circuit):
    circuit = corvex.Circuit(circuit)
    # Rows of one spectrum in several partitions, spectra out of order: the shuffle mends both.
    scattered = dd.from_pandas(CYCLES.sample(frac=1.0, random_state=3).sort_values("Cycle", kind="stable")
                               .iloc[::-1], npartitions=3)
    local = corvex.batch.fit(circuit, scattered.compute(), by="Cycle", refine=False, guess_init=False)
    assert_same_table(corvex.batch.fit(circuit, scattered, by="Cycle", guess_init=False).compute(), local)
    whole = dd.from_pandas(CYCLES.set_index("Cycle"), npartitions=4).reset_index()
    local = corvex.batch.fit(circuit, CYCLES, by="Cycle", refine=False, guess_init=False)
    assert_same_table(corvex.dask.fit(circuit, whole, by="Cycle", whole_groups=True, guess_init=False).compute(), local)


def test_bad_arguments_are_named():
    frame = dd.from_pandas(CYCLES, npartitions=2)
    with pytest.raises(KeyError, match="no column 'cycle'"):
        corvex.dask.fit(corvex.Circuit("rq"), frame, by="cycle")
    with pytest.raises(TypeError, match="argument 'data'"):
        corvex.dask.fit(corvex.Circuit("rq"), CYCLES, by="Cycle")
    # Row ranges cut through spectra: each cut spectrum would be fitted as two.
    with pytest.raises(ValueError, match="argument 'whole_groups': the spectrum with key 3 "):
        corvex.dask.fit(corvex.Circuit("rq"), dd.from_pandas(CYCLES, npartitions=7), by="Cycle", whole_groups=True)
