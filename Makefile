# Quick start: `make run` builds and starts Zandrel, `make test` builds it and runs every test.
# Both install any missing Debian packages first (as root, or through sudo apt-get): `make run`
# only what building and running the program needs, `make test` what every test needs too.

SHELL := /bin/bash
# The tests' Python leaves no compiled copies in the source tree.
export PYTHONDONTWRITEBYTECODE := 1

BUILD          ?= build
SANITIZE_BUILD ?= build-sanitize
TSAN_BUILD     ?= build-tsan
FUZZ_BUILD     ?= build-fuzz
FUZZ_SECONDS   ?= 60
PREFIX         ?= /usr/local
CMAKE_ARGS     ?=

# What building and running the program needs.
BUILD_PACKAGES := cmake ninja-build g++ make pkg-config qt6-base-dev qt6-base-private-dev libxkbcommon-dev \
                  fonts-dejavu-core qt6-tools-dev qt6-l10n-tools qt6-translations-l10n \
                  libwayland-dev libwayland-bin wayland-protocols
# What the tests and benchmarks add: the whole-program tests run on a real X server with a stacking
# window manager, typing through xdotool or reading and pressing through the accessibility bus
# (AT-SPI, in a D-Bus session of their own) with a screen reader (Orca) listening; batches run
# where temporary files have names too (bindfs); captions are measured in GNOME's Qt style too
# (adwaita-qt6); the package is checked by Debian's own tools.
TEST_PACKAGES := libbenchmark-dev libxcb1-dev xvfb xauth xdotool xsel openbox x11-utils wmctrl time bindfs adwaita-qt6 \
                 dbus-daemon at-spi2-core python3 python3-pyatspi orca speech-dispatcher espeak-ng \
                 speech-dispatcher-espeak-ng \
                 desktop-file-utils dpkg-dev lintian devscripts appstream binutils gzip man-db
FUZZ_PACKAGES := clang libclang-rt-14-dev

SANITIZERS := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
THREAD_SANITIZER := -fsanitize=thread -fno-omit-frame-pointer
# The tests of everything that runs beside the window thread: the batch, the windows around it,
# and what "Go" runs ended by signals.
THREAD_TESTS := tst_batchexport tst_exportwindow tst_application zandrel_batch
THREAD_TESTS_REGEX := ^(tst_batchexport|tst_exportwindow|tst_application|batch_signals)$$

ifeq ($(shell id -u),0)
SUDO :=
else
SUDO := sudo
endif

.PHONY: all build-deps deps fuzz-deps configure build build-program run test bench sanitize fuzz install package clean

all: build

# install-missing PACKAGE...: apt-get installs those that are not installed yet.
define install-missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing missing packages:" $$missing; \
	    $(SUDO) apt-get update -qq && \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

build-deps:
	$(call install-missing,$(BUILD_PACKAGES))

deps: build-deps
	$(call install-missing,$(TEST_PACKAGES))

fuzz-deps:
	$(call install-missing,$(FUZZ_PACKAGES))

configure: build-deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS)

# The program alone, none of the tests or benchmarks.
build-program: configure
	cmake --build $(BUILD) --target zandrel

build: deps configure
	cmake --build $(BUILD)

run: build-program
	$(BUILD)/app/zandrel

# Each test tells what it does as it goes, why it skips if it does, and all it wrote if it fails.
test: build
	tests/ctest.sh $(BUILD) --timeout 300

# Puts zandrel on the PATH with its menu entry, icon, manual page and AppStream metadata
# (PREFIX=/usr/local by default).
install: configure
	cmake --build $(BUILD) --target zandrel zandrel_manual zandrel_changelog
	$(SUDO) cmake --install $(BUILD) --prefix $(PREFIX)

# A .deb for Debian: $(BUILD)/zandrel_<version>_<arch>.deb, checked by lintian, hardening-check,
# appstreamcli and desktop-file-validate; the build stops if any of them objects.
package: build
	cd $(BUILD) && cpack -G DEB
	tests/package_check.sh $(BUILD)
	@ls -l $(BUILD)/*.deb && dpkg-deb --field $(BUILD)/*.deb Depends Recommends

# The micro-benchmarks; a batch timed against a plain two-threaded writer; the start timed against
# the smallest Qt program's; and the window thread's longest wait while the export window writes a
# batch of 100,000,000 numbers.
bench: build
	$(BUILD)/bench/zandrel_bench
	bench/compare.sh $(BUILD)
	bench/startup.sh $(BUILD)
	@home=$$(mktemp -d) && HOME=$$home QT_QPA_PLATFORM=offscreen $(BUILD)/bench/zandrel_latency 1e8 2>/dev/null | tail -n 1; \
	    rm -rf "$$home"

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer; then the tests of
# the batch and its windows, built with ThreadSanitizer.
sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZANDREL_BENCHMARKS=OFF -DZANDREL_HARDENING=OFF \
	    "-DCMAKE_CXX_FLAGS=$(SANITIZERS)" "-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZERS)"
	cmake --build $(SANITIZE_BUILD)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	    tests/ctest.sh $(SANITIZE_BUILD) --timeout 600
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZANDREL_BENCHMARKS=OFF -DZANDREL_HARDENING=OFF \
	    "-DCMAKE_CXX_FLAGS=$(THREAD_SANITIZER)" "-DCMAKE_EXE_LINKER_FLAGS=$(THREAD_SANITIZER)"
	cmake --build $(TSAN_BUILD) --target $(THREAD_TESTS)
	TSAN_OPTIONS=suppressions=$(CURDIR)/tests/tsan.supp:halt_on_error=1 \
	    tests/ctest.sh $(TSAN_BUILD) --timeout 600 -R '$(THREAD_TESTS_REGEX)'

# Each fuzz target for FUZZ_SECONDS, starting from the seeds in fuzz/corpus; what it finds is
# written to $(FUZZ_BUILD)/crash-*.
fuzz: deps fuzz-deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZANDREL_FUZZ=ON -DZANDREL_HARDENING=OFF \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) --target fuzz_numbers fuzz_range
	@for target in numbers range; do \
	    mkdir -p $(FUZZ_BUILD)/corpus-$$target && \
	    echo "fuzz_$$target for $(FUZZ_SECONDS) s" && \
	    $(FUZZ_BUILD)/fuzz/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	        -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus-$$target fuzz/corpus/$$target 2>&1 \
	        | grep -E '^(stat::number_of_executed_units|stat::new_units_added|==|SUMMARY|broken)|DONE' ; \
	    test $${PIPESTATUS[0]} -eq 0 || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
