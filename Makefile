# Entry points for users and developers: set-up on a fresh machine, the demo, the tests,
# benchmarks, sanitizer runs, fuzzing and the network weights.
SHELL := /bin/bash
.DEFAULT_GOAL := demo

VENV := .venv
PY := $(VENV)/bin/python
DEBIAN_PACKAGES := build-essential cmake ninja-build libcminpack-dev libeigen3-dev chromium chromium-driver libjs-mathjax
BUILD_TESTS := build/cpp-tests
JOBS ?= 2

PYTHON312 := $(shell command -v python3.12 >/dev/null 2>&1 && python3.12 -c 'import sys' >/dev/null 2>&1 && command -v python3.12 || ls -d $$HOME/.pyenv/versions/3.12*/bin/python3.12 2>/dev/null | sort -V | tail -n 1)

.PHONY: demo test setup debian venv build cpp-tests pytest typecheck docs docs-serve bench sanitize sanitize-thread fuzz weights report clean
.PHONY: wheel sdist test-clang check-vendored bench-base bench-scripts

# The tour: the quickstart, then each capability's own script in name order, then a screenshot
# of the app after a batch fit. Figures go to demo-figures/, whose paths the scripts print.
demo: build
	@set -e; for script in examples/quickstart.py examples/tour_*.py examples/app_screenshot.py; do \
	  [ -e "$$script" ] || continue; echo "== $$script"; $(PY) "$$script"; done

test: build cpp-tests typecheck docs pytest

setup: debian venv

# Only what is missing is installed, so repeated runs are quick and need no network.
debian:
	@missing=""; for p in $(DEBIAN_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "installing Debian packages:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

$(VENV)/.installed: requirements-dev.txt | debian
	@test -n "$(PYTHON312)" || { echo "python3.12 not found (looked on PATH and in ~/.pyenv/versions)"; exit 1; }
	test -x $(PY) || $(PYTHON312) -m venv $(VENV)
	$(PY) -m pip install -q --upgrade pip
	$(PY) -m pip install -q -r requirements-dev.txt
	touch $@

venv: debian $(VENV)/.installed

# The developer build uses Debian's cminpack and Eigen; a plain `pip install .` uses third_party/.
build: venv
	$(PY) -m pip install -q --no-build-isolation -Ccmake.define.CMAKE_BUILD_PARALLEL_LEVEL=$(JOBS) \
	  -Ccmake.define.CORVEX_SYSTEM_LIBS=ON .

cpp-tests: venv
	$(VENV)/bin/cmake -S . -B $(BUILD_TESTS) -G Ninja -DCORVEX_PYTHON=OFF -DCORVEX_TESTS=ON -DCORVEX_SYSTEM_LIBS=ON >/dev/null
	$(VENV)/bin/cmake --build $(BUILD_TESTS) -j $(JOBS)
	$(VENV)/bin/ctest --test-dir $(BUILD_TESTS) --output-on-failure

# The guess tests run twice: on the vector path where the processor has AVX2, then forced
# onto the scalar path, so that both are checked against the references.
GUESS_TESTS := tests/test_guess_reference.py tests/test_guess_numpy_reference.py tests/test_guess.py

pytest: build wheel
	$(PY) -m pytest -q tests
	CORVEX_GUESS_SCALAR=1 $(PY) -m pytest -q $(GUESS_TESTS)

# Static types: the examples under mypy --strict, and the extension's stubs against the module
# as built, checked from outside the tree so that the installed package is the one compared.
typecheck: build
	$(PY) -m mypy --strict --cache-dir build/mypy-cache examples/
	cd build && $(abspath $(PY)) -m mypy.stubtest --mypy-config-file $(abspath pyproject.toml) corvex

# The documentation site, warnings as errors: a broken docstring, page or example fails it. The
# gallery runs every tour script, so examples are checked here too.
docs: build
	$(PY) -m sphinx -W --keep-going -q -b html -d build/docs/doctrees docs build/docs/html
	@echo "open build/docs/html/index.html, or run make docs-serve"

docs-serve:
	@test -f build/docs/html/index.html || { echo "no site yet: run make docs first"; exit 1; }
	$(PY) -m http.server --bind 127.0.0.1 --directory build/docs/html 8000

# The build make bench measures this tree against: main before the vectorised guess and the
# batch speed-ups. Each figure of benchmarks/results/bench_ratios.txt is a ratio of the two,
# measured in turns. Another base on the command line: make bench BENCH_BASE=<revision>.
BENCH_BASE ?= c9ef01273456daffa0e11671540601c06a7b4c67
BENCH_BASE_DIR := build/bench-base

bench: build bench-base
	$(PY) benchmarks/run_all.py --base-python $(BENCH_BASE_DIR)/.venv/bin/python \
	  --base-revision "$$(cat $(BENCH_BASE_DIR)/revision)" --output benchmarks/results/bench_ratios.txt

# Every bench_*.py script in turn, each printing its own table of this build alone.
bench-scripts: build
	$(PY) benchmarks/run_all.py

# BENCH_BASE built from its own sources (git archive) as a wheel, the way make build builds
# this tree, into its own venv; built again only when BENCH_BASE names another revision. The
# revision file is written last, so a build that failed is never taken for a finished one.
bench-base: venv
	@set -e; revision=$$(git rev-parse --verify "$(BENCH_BASE)^{commit}"); \
	if [ -x $(BENCH_BASE_DIR)/.venv/bin/python ] && [ "$$(cat $(BENCH_BASE_DIR)/revision 2>/dev/null)" = "$$revision" ]; then \
	  echo "bench base $$revision: built already"; exit 0; fi; \
	echo "building the bench base $$revision into $(BENCH_BASE_DIR)"; \
	rm -rf $(BENCH_BASE_DIR); mkdir -p $(BENCH_BASE_DIR)/src; \
	git archive "$$revision" | tar -x -C $(BENCH_BASE_DIR)/src; \
	$(PY) -m pip wheel -q --no-deps --no-build-isolation -w $(BENCH_BASE_DIR)/wheel \
	  -Cbuild-dir=$(abspath $(BENCH_BASE_DIR))/build -Ccmake.define.CMAKE_BUILD_PARALLEL_LEVEL=$(JOBS) \
	  -Ccmake.define.CORVEX_SYSTEM_LIBS=ON ./$(BENCH_BASE_DIR)/src; \
	$(PYTHON312) -m venv $(BENCH_BASE_DIR)/.venv; \
	$(BENCH_BASE_DIR)/.venv/bin/python -m pip install -q $(BENCH_BASE_DIR)/wheel/corvex-*.whl \
	  $$($(PY) -c 'import numpy, pandas; print(f"numpy=={numpy.__version__} pandas=={pandas.__version__}")'); \
	echo "$$revision" > $(BENCH_BASE_DIR)/revision

# The module is rebuilt with AddressSanitizer and UndefinedBehaviorSanitizer into its own
# venv-free location and the Python tests run against it with the sanitizer runtime preloaded.
# The browser tests are left out: the preload reaches chromedriver, which is not instrumented
# and exits, and the page's numbers come from the same module the other tests exercise.
sanitize: venv
	$(VENV)/bin/cmake -S . -B build/asan -G Ninja -DCORVEX_SANITIZE=address,undefined -DCORVEX_TESTS=ON \
	  -DPython_EXECUTABLE=$(abspath $(PY)) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	$(VENV)/bin/cmake --build build/asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=0 $(VENV)/bin/ctest --test-dir build/asan --output-on-failure
	ASAN_OPTIONS=detect_leaks=0 LD_PRELOAD="$$(gcc -print-file-name=libasan.so) $$(gcc -print-file-name=libubsan.so)" \
	  PYTHONPATH=build/asan $(PY) -m pytest -q -x tests -p no:cacheprovider --ignore=tests/test_app_browser.py

# ThreadSanitizer on the C++ tests, which drive the worker pool, parallel Jacobians and the
# concurrent registry and cache; the uninstrumented interpreter would drown it in noise.
sanitize-thread: venv
	$(VENV)/bin/cmake -S . -B build/tsan -G Ninja -DCORVEX_SANITIZE=thread -DCORVEX_TESTS=ON -DCORVEX_PYTHON=OFF \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	$(VENV)/bin/cmake --build build/tsan -j $(JOBS)
	TSAN_OPTIONS=halt_on_error=1 $(VENV)/bin/ctest --test-dir build/tsan --output-on-failure

fuzz: build
	$(MAKE) -C fuzz run readers PY=$(abspath $(PY))

weights:
	$(MAKE) -C training weights MODEL=$(MODEL)

report:
	$(MAKE) -C training report

clean:
	rm -rf build

# ---- Packaging: the wheel anyone can install, the sdist, a second compiler ----
# The wheel is built from the vendored cminpack and Eigen in its own build directory, then
# repaired by auditwheel into a manylinux wheel in build/wheelhouse/, which the install tests
# (tests/test_wheel_install.py) put into fresh venvs.
WHEELHOUSE := build/wheelhouse
CLANG_PACKAGES := clang

wheel: venv
	rm -rf build/wheel-raw $(WHEELHOUSE)
	$(PY) -m pip wheel -q --no-deps --no-build-isolation -w build/wheel-raw \
	  -Cbuild-dir=build/wheel -Ccmake.define.CMAKE_BUILD_PARALLEL_LEVEL=$(JOBS) .
	PATH="$(abspath $(VENV))/bin:$$PATH" $(VENV)/bin/auditwheel repair -w $(WHEELHOUSE) build/wheel-raw/corvex-*.whl
	$(VENV)/bin/auditwheel show $(WHEELHOUSE)/corvex-*.whl

sdist: venv
	$(PY) -m build --sdist --no-isolation -o build/sdist .

# The C++ tests built with clang at the project's warning level, any warning an error.
test-clang: venv
	@missing=""; for p in $(CLANG_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; fi
	CC=clang CXX=clang++ $(VENV)/bin/cmake -S . -B build/clang-tests -G Ninja -DCORVEX_PYTHON=OFF -DCORVEX_TESTS=ON \
	  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
	$(VENV)/bin/cmake --build build/clang-tests -j $(JOBS)
	$(VENV)/bin/ctest --test-dir build/clang-tests --output-on-failure

# The vendored and the system libraries must give the same numbers: both modules are built
# and tools/build_fingerprint.py prints every fitted, guessed and analysed value as hex floats.
check-vendored: build
	$(VENV)/bin/cmake -S . -B build/vendored -G Ninja -DCORVEX_SYSTEM_LIBS=OFF \
	  -DPython_EXECUTABLE=$(abspath $(PY)) >/dev/null
	$(VENV)/bin/cmake --build build/vendored -j $(JOBS)
	$(PY) tools/build_fingerprint.py build/system-fingerprint.txt
	PYTHONPATH=build/vendored $(PY) tools/build_fingerprint.py build/vendored-fingerprint.txt
	cmp build/system-fingerprint.txt build/vendored-fingerprint.txt
