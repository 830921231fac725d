# ZEBstat: `make run` sets up, builds and starts the program; `make test` builds
# and runs the whole test suite, once normally and once with AddressSanitizer and
# UndefinedBehaviorSanitizer.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=
# Ninja when installed (make deps installs it); the CMake files add ccache
# when it is installed. Objects of both build folders are shared through
# ccache's cache, also between clones of the project.
GENERATOR  := $(if $(shell command -v ninja 2>/dev/null),-G Ninja,)
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
export CCACHE_SLOPPINESS := pch_defines,time_macros,include_file_mtime,include_file_ctime
# `make test-stress`: how many rounds, and how many tests at once.
STRESS_ROUNDS ?= 5
STRESS_JOBS   ?= 8

# Debian packages the build and the program need (`make build`, `make run`).
BUILD_PACKAGES = build-essential cmake ninja-build ccache g++ pkg-config \
                 qt6-base-dev qt6-svg-dev libgl1-mesa-dev fonts-liberation \
                 pybind11-dev python3-dev
# ... and those only the tests and benchmarks need (`make test`, `make bench`):
# GoogleTest and Google Benchmark, the tools the tests read our files with
# (libwmf, ImageMagick, poppler, groff, the desktop-file validators), an X
# server for the program, the Python packages of the module's tests.
TEST_PACKAGES = libgtest-dev libbenchmark-dev \
                libwmf-bin fonts-urw-base35 imagemagick libmagickcore-6.q16-6-extra \
                xvfb xauth xdotool poppler-utils locales \
                python3-numpy python3-pytest \
                desktop-file-utils appstream shared-mime-info dpkg-dev groff-base \
                $(PYTHON_TEST_PACKAGES)
# The Python tests' (zebstat.table's DataFrame, the notebook run by Jupyter,
# the dask example on a local cluster) and the series benchmark's (/usr/bin/time).
PYTHON_TEST_PACKAGES = python3-pandas python3-dask python3-distributed python3-nbconvert python3-ipykernel \
                python3-matplotlib jupyter-nbconvert time
DEB_PACKAGES = $(BUILD_PACKAGES) $(TEST_PACKAGES)

# Only the fuzz targets need these (clang with the libFuzzer runtime).
FUZZ_DEB_PACKAGES = clang libclang-rt-14-dev
FUZZ_TARGETS ?= record_file plt_plx asc ffu standard_file settings_file exchange_block evaluation series_manifest
FUZZ_SECONDS ?= 60
# `make fuzz-long`: executions per target.
FUZZ_RUNS ?= 10000000
# Inputs larger than this are not tried: the grown corpora stay small.
FUZZ_MAX_LEN ?= 4096

.PHONY: all deps test-deps install-packages fuzz-deps configure build build-tests build-asan-tests build-asan test test-normal test-asan test-stress run install package bench screenshots fuzz-build fuzz-smoke fuzz-long fuzz-merge clean

all: build

# Installs what is missing when run as root (apt-get update once); otherwise
# only says what is missing. `make deps` is what building needs; `make
# test-deps` adds what the tests need.
deps:
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(BUILD_PACKAGES)"

test-deps:
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(BUILD_PACKAGES) $(TEST_PACKAGES)" LOCALES=1

install-packages:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = "0" ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	  else \
	    echo "Missing Debian packages:$$missing (run as root or install them)"; exit 1; \
	  fi; \
	fi; \
	if [ -n "$(LOCALES)" ] && [ "$$(id -u)" = "0" ] && command -v localedef >/dev/null && ! locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8'; then \
	  echo "Generating the de_DE.UTF-8 locale the locale tests run in"; \
	  localedef -i de_DE -f UTF-8 de_DE.UTF-8; \
	fi

fuzz-deps:
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(FUZZ_DEB_PACKAGES)"

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_ARGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The tests are part of the build once GoogleTest is there: the test targets
# install the packages and switch them on in a build folder configured without.
build-tests: test-deps $(BUILD)/CMakeCache.txt
	cmake -S . -B $(BUILD) -DZEBSTAT_TESTS=ON -DZEBSTAT_BENCH=ON > /dev/null
	cmake --build $(BUILD) -j $(JOBS)

test-normal: build-tests
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

$(ASAN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DZEBSTAT_SANITIZE=ON -DZEBSTAT_BENCH=OFF $(CMAKE_ARGS)

build-asan: deps $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS)

build-asan-tests: test-deps $(ASAN_BUILD)/CMakeCache.txt
	cmake -S . -B $(ASAN_BUILD) -DZEBSTAT_TESTS=ON > /dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-asan: build-asan-tests
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

test: test-normal test-asan

# The built suites, STRESS_ROUNDS times each, with STRESS_JOBS tests at once,
# while busy loops keep every core loaded and another process holds an
# exclusive lock on every file in examples/.
test-stress: build-tests build-asan-tests
	tools/test-stress.sh $(STRESS_ROUNDS) $(STRESS_JOBS) $(BUILD) $(ASAN_BUILD)

run: build
	@tools/run.sh $(BUILD)

# `make install` installs under PREFIX (default /usr/local; DESTDIR for a
# staging folder); `make package` makes the Debian package
# $(BUILD)/zebstat_<version>-1_<arch>.deb (`apt install ./build/zebstat_*.deb`).
PREFIX ?= /usr/local
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	@$(MAKE) --no-print-directory install-packages PACKAGES="dpkg-dev"
	cd $(BUILD) && cpack -G DEB

# PNGs of the six plot types and a form-factor plot of the example data, in
# $(BUILD)/screenshots, and the picture of the window in the README,
# docs/zebstat-window.png.
screenshots: build
	sh tools/screenshots.sh $(BUILD)

# The benchmarks are not part of the normal build (nor of `make test`). After
# the Google benchmarks: the start-up of zebstat-batch, the drawing of the
# largest chart in its window at scale 1 and 2, and zebstat-batch against the
# numpy peer on the largest record file (bench/peer_side_by_side.sh: check,
# then the timing), the Python module against its C++ call, and a series of
# 1,000 measurements into one table: the series command with 1 and 2 jobs,
# zebstat.table and a numpy loop side by side, and the series command's memory
# for 1,000 and 10,000 measurements (bench/series_side_by_side.py).
bench: test-deps configure
	cmake -S . -B $(BUILD) -DZEBSTAT_BENCH=ON > /dev/null
	cmake --build $(BUILD) -j $(JOBS) --target zebstat_bench zebstat_gui_timing zebstat-batch zebstat-make-examples
	$(BUILD)/bin/zebstat_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@echo "== Start-up of zebstat-batch (without Qt) beside the smallest process, 15 runs each"
	/usr/bin/python3 bench/time_processes.py 15 "true" /bin/true "zebstat-batch --help" "$(BUILD)/bin/zebstat-batch --help"
	QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-offscreen} $(BUILD)/bin/zebstat_gui_timing toggle
	sh bench/peer_side_by_side.sh $(BUILD)
	if [ -d $(BUILD)/python ]; then /usr/bin/python3 bench/python_side_by_side.py $(BUILD); fi
	/usr/bin/python3 bench/series_side_by_side.py $(BUILD)

# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS on
# seeds from examples/ and tests/data_files/formats/ (the corpus grows in
# $(FUZZ_BUILD)/corpus/). A finding stops with the crashing input written there.
# The fuzz targets run under AddressSanitizer and UndefinedBehaviorSanitizer,
# each from its corpus in fuzz/corpus/<target> and the example files; what a
# run finds is left in $(FUZZ_BUILD)/artifacts/<target>.
fuzz-build: fuzz-deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DZEBSTAT_FUZZ=ON -DZEBSTAT_GUI=OFF -DZEBSTAT_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@set -e; cd $(FUZZ_BUILD); \
	for t in $(FUZZ_TARGETS); do rm -rf seeds/$$t; mkdir -p seeds/$$t corpus/$$t artifacts/$$t; \
	  if [ -d ../fuzz/corpus/$$t ]; then cp ../fuzz/corpus/$$t/* seeds/$$t/ 2>/dev/null || true; fi; done; \
	if [ -d seeds/record_file ]; then cp ../examples/*.sta seeds/record_file/; fi; \
	if [ -d seeds/plt_plx ]; then cp ../examples/*.plt ../examples/*.plx ../tests/data_files/formats/*.plt seeds/plt_plx/; fi; \
	if [ -d seeds/asc ]; then cp ../examples/*.asc ../tests/data_files/formats/*.asc seeds/asc/; fi; \
	if [ -d seeds/ffu ]; then cp ../examples/*.ffu seeds/ffu/; fi; \
	if [ -d seeds/standard_file ]; then cp ../examples/*.tol ../tests/data_files/formats/*.TOL seeds/standard_file/; fi; \
	if [ -d seeds/exchange_block ]; then cp ../tests/data_files/formats/*.zebblock seeds/exchange_block/; fi; \
	if [ -d seeds/evaluation ]; then cp ../tests/data_files/formats/*.zeb seeds/evaluation/; fi

# Each target for $(FUZZ_SECONDS) s. (FUZZ_TARGETS="plt_plx asc" for some of them.)
fuzz-smoke: fuzz-build
	@cd $(FUZZ_BUILD) && FUZZ_LIMIT="-max_total_time=$(FUZZ_SECONDS)" ../fuzz/run-targets.sh $(FUZZ_MAX_LEN) $(FUZZ_TARGETS)

# Each target to $(FUZZ_RUNS) executions (hours in all): executions per
# second and findings per target, then a summary.
fuzz-long: fuzz-build
	@cd $(FUZZ_BUILD) && FUZZ_LIMIT="-runs=$(FUZZ_RUNS)" ../fuzz/run-targets.sh $(FUZZ_MAX_LEN) $(FUZZ_TARGETS)

# Merges what the runs have grown into fuzz/corpus/<target>: a small set
# of inputs that reaches every edge reached (hit counts aside), each at most
# $(FUZZ_MAX_LEN) bytes: a few dozen small files per target.
fuzz-merge: fuzz-build
	@set -e; cd $(FUZZ_BUILD); for t in $(FUZZ_TARGETS); do \
	  rm -rf merged/$$t; mkdir -p merged/$$t; \
	  ./bin/fuzz_$$t -merge=1 -use_counters=0 -max_len=$(FUZZ_MAX_LEN) -rss_limit_mb=2048 merged/$$t seeds/$$t corpus/$$t 2>/dev/null; \
	  rm -rf ../fuzz/corpus/$$t; mkdir -p ../fuzz/corpus/$$t; cp merged/$$t/* ../fuzz/corpus/$$t/ 2>/dev/null || true; \
	  echo "fuzz/corpus/$$t: $$(ls ../fuzz/corpus/$$t | wc -l) files, $$(du -sk ../fuzz/corpus/$$t | cut -f1) KB"; \
	done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
