# The two commands that set up, build and run or test Motoreckon on a Debian 12 machine.
JOBS ?= 2
BUILD_DIR ?= build
TEST_BUILD_DIR ?= build-test
PACKAGE_BUILD_DIR ?= build-package

.PHONY: all deps build run test package clean

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

# A Debian package of a release build installed under /usr, made in $(PACKAGE_BUILD_DIR).
package: deps
	@cmake -S . -B $(PACKAGE_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
	  -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
	@cmake --build $(PACKAGE_BUILD_DIR) -j$(JOBS)
	@cd $(PACKAGE_BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR) $(PACKAGE_BUILD_DIR)
