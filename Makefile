# The two commands: `make demo` and `make test`. Both install what is missing first.
# `make` alone builds both configurations.
SHELL := /bin/bash
ROOT  := $(CURDIR)
WIN   := build/win
HOST  := build/host
ASAN  := build/asan
JOBS  ?= $(shell nproc)
CTEST_ARGS ?=

.PHONY: all build setup win host asan test test-win test-host demo bench clean format fuzz

all: build

setup:
	@bash scripts/setup-deps.sh

$(WIN)/build.ninja:
	cmake -S . -B $(WIN) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-i686.cmake

$(HOST)/build.ninja:
	cmake -S . -B $(HOST) -G Ninja -DCMAKE_BUILD_TYPE=Release

$(ASAN)/build.ninja:
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPROJECT_SANITIZE=ON

win: $(WIN)/build.ninja
	cmake --build $(WIN) -j $(JOBS)

host: $(HOST)/build.ninja
	cmake --build $(HOST) -j $(JOBS)

asan: $(ASAN)/build.ninja
	cmake --build $(ASAN) -j $(JOBS)

build: setup win host

# Host tests natively (plain and under sanitizers), then the Windows tests under Wine.
# The short fuzz runs come before the Windows tests, so ctest's summary of those closes the output.
test: setup win host asan
	cd $(HOST) && ctest --output-on-failure $(CTEST_ARGS)
	cd $(ASAN) && ctest --output-on-failure $(CTEST_ARGS)
	bash scripts/fuzz.sh -t 6 -s 1
	bash scripts/with-display.sh bash -c 'cd $(WIN) && ctest --output-on-failure $(CTEST_ARGS)'

demo: setup win
	bash scripts/with-display.sh bash scripts/demo.sh

bench: setup win host
	bash scripts/with-display.sh bash scripts/bench.sh

# libFuzzer targets (clang, build/fuzz): 5 minutes each; FUZZ_ARGS="-t 3600 avi" for one long run.
FUZZ_ARGS ?= -t 300
fuzz:
	bash scripts/fuzz.sh $(FUZZ_ARGS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build dist

# Orvello's main window with its live preview on the test camera, as PNGs in out/screenshots/.
.PHONY: screenshot
screenshot: setup win
	ORVELLO_BUILD_DIR=$(ROOT)/$(WIN) bash scripts/orvello-screenshot.sh

# Soak of both programs on the test camera, SOAK_MINUTES each (default 10); prints the resource
# figures. `scripts/soak.sh --faults` runs the fault-injection cases.
.PHONY: soak
SOAK_MINUTES ?= 10
soak: setup win
	SOAK_BUILD_DIR=$(ROOT)/$(WIN) bash scripts/soak.sh $(SOAK_MINUTES)
