# The two commands that set up, build and run or test Motoreckon on a Debian 12 machine.
JOBS ?= 2
BUILD_DIR ?= build
TEST_BUILD_DIR ?= build-test

.PHONY: all deps build run test soak clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	@$(BUILD_DIR)/src/motoreckon

# Every test, built with AddressSanitizer and UndefinedBehaviorSanitizer, run headless.
test: deps
	@cmake -S . -B $(TEST_BUILD_DIR) -DCMAKE_BUILD_TYPE=Debug -DMOTORECKON_SANITIZE=ON >/dev/null
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
	@cmake -S . -B $(TEST_BUILD_DIR) -DCMAKE_BUILD_TYPE=Debug -DMOTORECKON_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_BUILD_DIR) -j$(JOBS) --target tst_soak
	@cd $(TEST_BUILD_DIR) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  MOTORECKON_SOAK_SEED=$(SEED) MOTORECKON_SOAK_ACTIONS=$(SOAK_ACTIONS) tests/tst_soak

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR)
