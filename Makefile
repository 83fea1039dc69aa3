# The two commands that set up, build and run or test Motoreckon on a Debian 12 machine.
JOBS ?= 2
BUILD_DIR ?= build
TEST_BUILD_DIR ?= build-test
FUZZ_BUILD_DIR ?= build-fuzz
BENCH_BUILD_DIR ?= build-bench
PACKAGE_BUILD_DIR ?= build-package

.PHONY: all run-deps deps build run test soak fuzz bench package clean

all: build

# What building and running need; `make test` and the others also install what testing needs.
run-deps:
	@scripts/install-deps.sh run

deps:
	@scripts/install-deps.sh test

# The program holds one help path, fixed when it is built, under the prefix it is installed to:
# this build is installed into a folder of its own, $(BUILD_DIR)/stage, and runs from there.
STAGE_DIR = $(CURDIR)/$(BUILD_DIR)/stage

build: run-deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_INSTALL_PREFIX=$(STAGE_DIR) >/dev/null
	@cmake --build $(BUILD_DIR) -j$(JOBS)
	@cmake --install $(BUILD_DIR) >/dev/null

run: build
	@$(STAGE_DIR)/bin/motoreckon

# Every test, built with AddressSanitizer and UndefinedBehaviorSanitizer, run headless. The build
# is configured for /usr, as the package is, so that the package test checks a package laid out
# as a distribution ships it; the tests themselves never install it. The tests and the fuzz
# targets are built only when asked for, and here warnings are errors.
TEST_CONFIGURATION = -DCMAKE_BUILD_TYPE=Debug -DMOTORECKON_SANITIZE=ON -DCMAKE_INSTALL_PREFIX=/usr \
  -DBUILD_TESTING=ON -DMOTORECKON_FUZZ=ON -DMOTORECKON_WERROR=ON

test: deps
	@cmake -S . -B $(TEST_BUILD_DIR) $(TEST_CONFIGURATION) >/dev/null
	@cmake --build $(TEST_BUILD_DIR) -j$(JOBS)
	@cd $(TEST_BUILD_DIR) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS)

# A long random user on the sanitizer build: SEED picks the run (by default the time), SOAK_ACTIONS
# its length. A failure prints the seed and the action, which replay it with the same two values.
SOAK_ACTIONS ?= 100000
SEED ?= $(shell date +%s)

soak: deps
	@cmake -S . -B $(TEST_BUILD_DIR) $(TEST_CONFIGURATION) >/dev/null
	@cmake --build $(TEST_BUILD_DIR) -j$(JOBS) --target tst_soak
	@cd $(TEST_BUILD_DIR) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  MOTORECKON_SOAK_SEED=$(SEED) MOTORECKON_SOAK_ACTIONS=$(SOAK_ACTIONS) tests/tst_soak

# Each libFuzzer target for 60 seconds, built by clang; what they find is kept in
# $(FUZZ_BUILD_DIR)/run for the next run.
fuzz: deps
	@cmake -S fuzz -B $(FUZZ_BUILD_DIR) -DCMAKE_CXX_COMPILER=clang++-14 \
	  -DMOTORECKON_FUZZ_SECONDS=60 >/dev/null
	@cmake --build $(FUZZ_BUILD_DIR) -j$(JOBS)
	@cd $(FUZZ_BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

# Start-up and speed against their targets, built in Release (-O2): prints one table, and fails
# when a target is missed. Both programs of the start-up comparison also run on a virtual X server.
# Warnings are errors, as in the tests.
bench: deps
	@cmake -S . -B $(BENCH_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
	  -DMOTORECKON_BENCH=ON -DMOTORECKON_WERROR=ON >/dev/null
	@cmake --build $(BENCH_BUILD_DIR) -j$(JOBS) --target motoreckon_bench
	@mkdir -p -m 700 $(BENCH_BUILD_DIR)/runtime
	@XDG_RUNTIME_DIR=$(CURDIR)/$(BENCH_BUILD_DIR)/runtime \
	  xvfb-run -a -s "-screen 0 1280x1024x24" $(BENCH_BUILD_DIR)/bench/motoreckon_bench

# A Debian package of a release build installed under /usr, made in $(PACKAGE_BUILD_DIR) with
# Debian's hardening flags. Every clone of a commit makes it byte for byte the same: what would
# carry the time of the build (the files' times in the package, the icon's time in the program,
# the help collection's creation time) carries the date of the newest changelog entry instead,
# which rises with each release, so that Qt Assistant replaces a user's cached copy of the help.
# A SOURCE_DATE_EPOCH already set, as a distribution's build sets it, is kept.
package: run-deps
	@export SOURCE_DATE_EPOCH=$${SOURCE_DATE_EPOCH:-$$(dpkg-parsechangelog -l packaging/changelog \
	  -S Timestamp)} && \
	cmake -S . -B $(PACKAGE_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_INSTALL_PREFIX=/usr -DMOTORECKON_DEBIAN_FLAGS=ON >/dev/null && \
	cmake --build $(PACKAGE_BUILD_DIR) -j$(JOBS) && \
	cd $(PACKAGE_BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR) $(FUZZ_BUILD_DIR) $(BENCH_BUILD_DIR) \
	  $(PACKAGE_BUILD_DIR)
