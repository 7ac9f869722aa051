# Convenience wrapper around CMake/Ninja. `make run` and `make test` are all a
# new developer needs; both install missing Debian packages first.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
BENCH_DIR ?= build-bench
FUZZ_DIR  ?= build-fuzz
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)
# One formatter version for everyone: Debian 12's; others wrap lines differently.
CLANG_FORMAT ?= clang-format-14

PREFIX ?= /usr/local

.PHONY: all deps configure build run test test-sanitize install package bench format pot fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh

# CI builds treat warnings as errors, also in a build folder that was first
# configured without CI; configuring again costs seconds and recompiles only
# when the setting changes.
ifneq ($(filter 1 true TRUE True yes on ON,$(CI)),)
override CMAKE_FLAGS += -DRAVELIN_WERROR=ON
.PHONY: $(BUILD_DIR)/build.ninja
endif

# cmake itself comes with the packages, so they are installed first (order
# only: installing a package does not make the build folder stale).
$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

configure: $(BUILD_DIR)/build.ninja

build: deps configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/ravelin $(ARGS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)
	$(MAKE) test-sanitize

# The whole suite once more, built with AddressSanitizer and
# UndefinedBehaviorSanitizer in a folder of its own (-O1: quick to build,
# still fast to run). Leaks are not checked: Qt keeps its globals to the end.
# The installation and package checks (label install) ran on the real build;
# an instrumented program holds its source and build paths by design.
test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja $(CMAKE_FLAGS) -DRAVELIN_SANITIZE=ON \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1"
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS) -LE install

# DESTDIR=/tmp/stage puts the tree below a staging folder, as packagers do.
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The Debian package, in the build folder.
package: build
	cmake --build $(BUILD_DIR) --target package

bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DRAVELIN_TESTS=OFF -DRAVELIN_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	$(BENCH_DIR)/bin/bench_ravelin

format:
	@bash scripts/install-deps.sh --format
	git ls-files '*.cpp' '*.h' | xargs $(CLANG_FORMAT) -i

pot: configure
	cmake --build $(BUILD_DIR) --target pot

fuzz:
	@bash scripts/install-deps.sh --fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVELIN_TESTS=OFF -DRAVELIN_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	@echo "Fuzz targets are in $(FUZZ_DIR)/bin (run e.g. $(FUZZ_DIR)/bin/fuzz_<name> -max_total_time=600 corpus/)"

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(BENCH_DIR) $(FUZZ_DIR)
