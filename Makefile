# The two commands: `make demo` and `make test`. Both install what is missing first.
# `make` alone builds every configuration: the two Windows builds (i686, the programs as shipped,
# and x64) and the host build.
SHELL := /bin/bash
ROOT  := $(CURDIR)
WIN32 := build/win
WIN64 := build/win64
HOST  := build/host
BENCH := build/bench
ASAN  := build/asan
JOBS  ?= $(shell nproc)
CTEST_ARGS ?=

# The Windows build that the tests, the demo and the other runs use: i686 where this machine runs
# 32-bit x86 code, else x64. WIN_ARCH=i686 or WIN_ARCH=x64 forces one. Only that build gets its
# test executables; the other is built without them.
WIN_CHOSEN := $(shell WIN_ARCH='$(WIN_ARCH)' bash scripts/win-arch.sh --name)
WIN_WHY    := $(shell WIN_ARCH='$(WIN_ARCH)' bash scripts/win-arch.sh --why)
WIN_RUN    := WIN_ARCH=$(WIN_CHOSEN)
WIN        := $(if $(filter x64,$(WIN_CHOSEN)),$(WIN64),$(WIN32))
WIN_TARGET := $(if $(filter x64,$(WIN_CHOSEN)),win64,win32)
TESTS_I686 := $(if $(filter i686,$(WIN_CHOSEN)),ON,OFF)
TESTS_X64  := $(if $(filter x64,$(WIN_CHOSEN)),ON,OFF)
BANNER     := Windows tests on the $(WIN_CHOSEN) build ($(WIN_WHY))

.PHONY: all build setup win win32 win64 wincheck host bench-host asan test test-steps demo bench clean format fuzz

all: build

setup:
	@bash scripts/setup-deps.sh

# Fails with the reason when the chosen build cannot run on this machine.
wincheck:
	@WIN_ARCH='$(WIN_ARCH)' bash scripts/win-arch.sh --check

# A Windows build folder ($1) for a toolchain ($2), configured again when its tests switch ($3).
define win_configure
	@grep -qsx 'PROJECT_WIN_TESTS:BOOL=$(3)' $(1)/CMakeCache.txt && [ -f $(1)/build.ninja ] || \
	  cmake -S . -B $(1) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/$(2) -DPROJECT_WIN_TESTS=$(3)
endef

win32:
	$(call win_configure,$(WIN32),mingw-i686.cmake,$(TESTS_I686))
	cmake --build $(WIN32) -j $(JOBS)

win64:
	$(call win_configure,$(WIN64),mingw-x86_64.cmake,$(TESTS_X64))
	cmake --build $(WIN64) -j $(JOBS)

win: win32 win64

$(HOST)/build.ninja:
	cmake -S . -B $(HOST) -G Ninja -DCMAKE_BUILD_TYPE=Release

$(ASAN)/build.ninja:
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPROJECT_SANITIZE=ON

# A host folder that once had the anchors switched on gets them switched off again.
host: $(HOST)/build.ninja
	@! grep -qsx 'PROJECT_BENCH_ANCHORS:BOOL=ON' $(HOST)/CMakeCache.txt || \
	  cmake -S . -B $(HOST) -DPROJECT_BENCH_ANCHORS=OFF
	cmake --build $(HOST) -j $(JOBS)

# The host benchmarks with their anchors, in a folder of their own so that build/host stays as
# `make host` and `make test` want it.
bench-host:
	bash scripts/bench-deps.sh
	[ -f $(BENCH)/build.ninja ] || \
	  cmake -S . -B $(BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DPROJECT_BENCH_ANCHORS=ON
	cmake --build $(BENCH) -j $(JOBS) --target benchmarks

asan: $(ASAN)/build.ninja
	cmake --build $(ASAN) -j $(JOBS)

build: setup win host

# Host tests natively (plain and under sanitizers), the short fuzz runs, then the Windows tests of
# the chosen build under Wine. The first and the last line name that build and why; just above the
# last stand the skipped tests of all three runs, read from ctest's logs: a skip that
# tests/allowed-skips.txt does not name fails the run.
TEST_LOGS := $(foreach build,$(HOST) $(ASAN) $(WIN),$(build)/Testing/Temporary/LastTest.log)
test:
	@echo "make test: $(BANNER)"
	@rm -f $(TEST_LOGS)
	@$(MAKE) --no-print-directory test-steps; rc=$$?; \
	  bash scripts/skipped-tests.sh tests/allowed-skips.txt $(TEST_LOGS) || rc=1; \
	  if [ $$rc -eq 0 ]; then result=passed; else result=FAILED; fi; \
	  echo "make test: $(BANNER): $$result"; exit $$rc

test-steps: setup wincheck win host asan
	cd $(HOST) && ctest --output-on-failure $(CTEST_ARGS)
	cd $(ASAN) && ctest --output-on-failure $(CTEST_ARGS)
	bash scripts/fuzz.sh -t 6 -s 1
	$(WIN_RUN) bash scripts/with-display.sh bash -c 'cd $(WIN) && ctest --no-tests=error --output-on-failure $(CTEST_ARGS)'

demo: setup wincheck win
	@echo "make demo: the $(WIN_CHOSEN) build ($(WIN_WHY))"
	$(WIN_RUN) bash scripts/with-display.sh bash scripts/demo.sh

# The anchors (OpenCV, swscale) are installed and built here only, never for the programs or tests.
# The Windows build that is timed gets built, and the x64 build as well where it is the i686 one:
# the kernels are timed on both builds where this machine runs both.
BENCH_WIN := $(if $(filter i686,$(WIN_CHOSEN)),win32 win64,win64)
bench: setup wincheck $(BENCH_WIN) bench-host
	@echo "make bench: Wine timings on the $(WIN_CHOSEN) build ($(WIN_WHY))"
	$(WIN_RUN) bash scripts/with-display.sh bash scripts/bench.sh

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
screenshot: setup wincheck win
	$(WIN_RUN) ORVELLO_BUILD_DIR=$(ROOT)/$(WIN) bash scripts/orvello-screenshot.sh

# Soak of both programs on the test camera, SOAK_MINUTES each (default 10); prints the resource
# figures. `scripts/soak.sh --faults` runs the fault-injection cases.
.PHONY: soak
SOAK_MINUTES ?= 10
soak: setup wincheck win
	$(WIN_RUN) SOAK_BUILD_DIR=$(ROOT)/$(WIN) bash scripts/soak.sh $(SOAK_MINUTES)
