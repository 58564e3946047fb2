# Network guesses from Python: Circuit.guess() and ml_circuits(), topology matching seen
# through the permutation, user weights files and their cache, and the guess inside fit().
import math
import os
import pathlib
import shutil
import subprocess
import sys
import warnings

import numpy as np
import pytest

import corvex

ROOT = pathlib.Path(__file__).resolve().parent.parent
RC_FILE = ROOT / "weights" / "rc.eisnn"
MODELS = ("'rc', 'rc_l', 'rq', 'rq_l', 'two_rc', 'two_rc_l', 'two_rq', 'two_rq_l', "
          "'randles', 'sei_randles', 'sei_randles_wo'")
NO_TRAINING_DATA = ("No training data on this circuit. Machine-learning based initial parameters available for "
                    + MODELS)

F = np.logspace(-1, 5, 40)
RC_TRUE = [10.0, 100.0, 1e-5]
Z_RC = corvex.Circuit("R0-(R1,C1)").with_values(RC_TRUE).impedance(F)
Z_RQ = corvex.Circuit("R0-(R1,CPE1)").with_values([5.0, 50.0, 2e-5, 0.8]).impedance(F)

needs_rc = pytest.mark.skipif(not RC_FILE.exists(), reason="weights/rc.eisnn not built yet")


def test_ml_circuits_lists_the_carried_models():
    assert corvex.Circuit.ml_circuits() == [m.strip("'") for m in MODELS.split(", ")]
    assert corvex.Circuit.ml_circuits() is not corvex.Circuit.ml_circuits()


@needs_rc
def test_guess_is_near_the_truth_and_does_not_touch_the_circuit():
    circuit = corvex.Circuit("R0-(R1,C1)")
    guess = circuit.guess(F, Z_RC)
    assert len(guess) == 3 and all(isinstance(v, float) for v in guess)
    for value, truth in zip(guess, RC_TRUE):
        assert 0.5 < value / truth < 2.0
    assert circuit.param_values() == [1.0, 1.0, 0.001]


@needs_rc
def test_order_and_labels_do_not_matter():
    reference = corvex.Circuit("R0-(R1,C1)").guess(F, Z_RC)
    permuted = corvex.Circuit("(R1,C2)-R3").guess(F, Z_RC)
    assert permuted == [reference[1], reference[2], reference[0]]
    assert corvex.Circuit("R0-(C1,R1)").guess(F, Z_RC) == [reference[0], reference[2], reference[1]]


@needs_rc
def test_abbreviations_come_back_in_their_own_parameters():
    r0, r1, c1 = corvex.Circuit("R0-(R1,C1)").guess(F, Z_RC)
    assert corvex.Circuit("R0-K1").guess(F, Z_RC) == pytest.approx([r0, r1, r1 * c1], rel=1e-15)
    zarc = corvex.Circuit("R0-Zarc1").guess(F, Z_RQ)
    assert len(zarc) == 4 and 0.05 <= zarc[3] <= 1.0


@pytest.mark.parametrize("circuit, frequencies, impedances, message", [
    ("R0-(R1,C1)", [1.0], [1 + 1j], "need at least 2 frequency points to guess, got 1"),
    ("R0-(R1,C1)-(R2,CPE2)", [1.0], [1 + 1j], NO_TRAINING_DATA),
    ("R0-W1", F, Z_RC, NO_TRAINING_DATA),
])
def test_guess_failures(circuit, frequencies, impedances, message):
    with pytest.raises(ValueError) as raised:
        corvex.Circuit(circuit).guess(frequencies, impedances)
    assert str(raised.value) == message


def test_weights_must_be_text():
    with pytest.raises(TypeError, match="argument 'weights'"):
        corvex.Circuit("R0-(R1,C1)").guess(F, Z_RC, weights=pathlib.Path("x.eisnn"))
    with pytest.raises(TypeError, match="argument 'weights'"):
        corvex.Circuit("R0-(R1,C1)").fit(F, Z_RC, weights=pathlib.Path("x.eisnn"))


def test_missing_weights_file(tmp_path):
    missing = str(tmp_path / "absent.eisnn")
    with pytest.raises(ValueError, match="^reading weights: No such file or directory$"):
        corvex.Circuit("R0-(R1,C1)").guess(F, Z_RC, weights=missing)
    with pytest.raises(ValueError, match="^reading weights: "):
        corvex.Circuit("R0-(R1,C1)").fit(F, Z_RC, weights=missing)
    result = corvex.Circuit("R0-(R1,C1)").with_values(RC_TRUE).fit(F, Z_RC, weights=missing, guess_init=False)
    assert result.success


@pytest.mark.parametrize("kind", ["fifo", "device", "directory"])
def test_weights_path_that_is_not_a_regular_file_is_refused_without_reading(tmp_path, kind):
    # A FIFO without a writer used to block in open() for good, with the interpreter lock held.
    path, message = {
        "fifo": (tmp_path / "pipe.eisnn", "^reading weights: not a regular file$"),
        "device": (pathlib.Path("/dev/zero"), "^reading weights: not a regular file$"),
        "directory": (tmp_path, "^reading weights: Is a directory$"),
    }[kind]
    if kind == "fifo":
        os.mkfifo(path)
    for call in (corvex.Circuit("R0-(R1,C1)").guess, corvex.Circuit("R0-(R1,C1)").fit):
        with pytest.raises(ValueError, match=message):
            call(F, Z_RC, weights=str(path))


# Tightens the address-space limit until reading a weights file runs out of memory, then
# lifts it: the same file must then guess normally (a failure used to poison the cache).
TRANSIENT_MEMORY_ERROR = """
import resource, shutil, sys, numpy as np, corvex
f = np.logspace(-1, 5, 40)
z = corvex.Circuit("R0-(R1,C1)").with_values([20.0, 100.0, 1e-5]).impedance(f)
circuit = corvex.Circuit("R0-(R1,C1)")
expected = circuit.guess(f, z)
size = next(int(line.split()[1]) * 1024 for line in open("/proc/self/status") if line.startswith("VmSize"))
for step in range(1, 64):
    path = f"{sys.argv[2]}/copy{step}.eisnn"
    shutil.copyfile(sys.argv[1], path)
    resource.setrlimit(resource.RLIMIT_AS, (size + step * 2**16, resource.RLIM_INFINITY))
    try:
        circuit.guess(f, z, weights=path)
    except MemoryError:
        resource.setrlimit(resource.RLIMIT_AS, (resource.RLIM_INFINITY, resource.RLIM_INFINITY))
        print(circuit.guess(f, z, weights=path) == expected)
        break
    resource.setrlimit(resource.RLIMIT_AS, (resource.RLIM_INFINITY, resource.RLIM_INFINITY))
"""


@needs_rc
@pytest.mark.skipif("libasan" in os.environ.get("LD_PRELOAD", ""), reason="AddressSanitizer reserves address space")
def test_running_out_of_memory_while_reading_weights_does_not_break_later_guesses(tmp_path):
    # A fixed mmap threshold keeps glibc from serving the read from memory an earlier guess freed,
    # where no limit on address space can reach it: the weights are cached by their content, so
    # only a read that fails at the first small limit shows what a failure leaves behind.
    child = subprocess.run([sys.executable, "-c", TRANSIENT_MEMORY_ERROR, str(RC_FILE), str(tmp_path)],
                           capture_output=True, text=True, timeout=120,
                           env={**os.environ, "MALLOC_MMAP_THRESHOLD_": "65536"})
    assert (child.returncode, child.stdout.strip()) == (0, "True"), child.stderr[-2000:]


@pytest.mark.parametrize("content, message", [
    (b"EISNN00", "weight file is truncated"),
    (b"NOTEISNN", "not an eisnn weight file (bad magic bytes)"),
])
def test_broken_weights_file(tmp_path, content, message):
    path = tmp_path / "broken.eisnn"
    path.write_bytes(content)
    with pytest.raises(ValueError) as raised:
        corvex.Circuit("R0-(R1,C1)").guess(F, Z_RC, weights=str(path))
    assert str(raised.value) == message


@needs_rc
def test_user_file_matches_by_topology_and_is_cached(tmp_path):
    path = tmp_path / "rc.eisnn"
    shutil.copyfile(RC_FILE, path)
    carried = corvex.Circuit("R0-(R1,C1)").guess(F, Z_RC)
    assert corvex.Circuit("(C5,R4)-R3").guess(F, Z_RC, weights=str(path)) == [carried[2], carried[1], carried[0]]
    assert corvex.Circuit("R0-(R1,C1)").guess(F, Z_RC, weights=str(path)) == carried
    with pytest.raises(ValueError) as raised:
        corvex.Circuit("R0-(R1,CPE1)").guess(F, Z_RQ, weights=str(path))
    assert str(raised.value) == f"{path} was trained for R0-(R1,C1), which is a different circuit"
    # The cache knows a file by its content: the same bytes under another name give the same
    # model, while a rewrite in place that keeps the size and puts the modification time back
    # is read as what it now is.
    (tmp_path / "link.eisnn").symlink_to(path)
    assert corvex.Circuit("R0-(R1,C1)").guess(F, Z_RC, weights=str(tmp_path / "link.eisnn")) == carried
    stat = path.stat()
    with open(path, "r+b") as rewritten:
        rewritten.write(b"\0" * 8)
    os.utime(path, ns=(stat.st_atime_ns, stat.st_mtime_ns))
    assert (path.stat().st_size, path.stat().st_mtime_ns, path.stat().st_ino) == (stat.st_size, stat.st_mtime_ns,
                                                                                  stat.st_ino)
    with pytest.raises(ValueError, match="bad magic bytes"):
        corvex.Circuit("R0-(R1,C1)").guess(F, Z_RC, weights=str(tmp_path / "link.eisnn"))


@needs_rc
def test_default_fit_guesses_silently_and_recovers_the_truth():
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        result = corvex.Circuit("R0-(R1,C1)").fit(F, Z_RC)
    assert result.success
    assert list(result.params.values()) == pytest.approx(RC_TRUE, rel=1e-8)


@needs_rc
def test_guess_init_true_guesses_even_for_explicit_values():
    explicit = corvex.Circuit("R0-(R1,C1)").with_values([1e3, 1e-3, 1.0])
    guessed = explicit.fit(F, Z_RC, guess_init=True)
    assert list(guessed.params.values()) == pytest.approx(RC_TRUE, rel=1e-8)


def test_unknown_method_is_reported_after_the_guess(tmp_path):
    with pytest.raises(ValueError, match="^reading weights: "):
        corvex.Circuit("R0-(R1,C1)").fit(F, Z_RC, weights=str(tmp_path / "none"), method="nope")
    with pytest.raises(ValueError, match="^unknown fit method \"nope\""):
        corvex.Circuit("R0-(R1,C1)").fit(F, Z_RC, guess_init=False, method="nope")
