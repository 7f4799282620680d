# Quick start: `make run` builds and starts Zandrel, `make test` builds it and runs every test.
# Both install any missing Debian packages first (as root, or through sudo).

BUILD      ?= build
CMAKE_ARGS ?=

PACKAGES := cmake ninja-build g++ make pkg-config qt6-base-dev libbenchmark-dev \
            fonts-dejavu-core xvfb xauth xdotool time

ifeq ($(shell id -u),0)
SUDO :=
else
SUDO := sudo
endif

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing missing packages:" $$missing; \
	    $(SUDO) apt-get update -qq && \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD)

run: build
	$(BUILD)/app/zandrel

test: build
	ctest --test-dir $(BUILD) --output-on-failure --timeout 300

# The micro-benchmarks, then the batch export timed against shuf.
bench: build
	$(BUILD)/bench/zandrel_bench
	bench/compare.sh $(BUILD)

clean:
	rm -rf $(BUILD)
