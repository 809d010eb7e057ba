# Task runner. `make test` builds both presets and runs every test; `make demo` replays
# the bundled sample log.
SHELL := /bin/bash
.PHONY: all deps native windows tsan release test test-native test-windows test-fuzz fuzz demo clean

FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 12

all: native windows

deps:
	@bash scripts/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows

test-native: native
	ctest --preset native

test-windows: windows
	scripts/wine-ctest.sh build/windows

fuzz-build: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz --target fuzz_all

# Each fuzz target for FUZZ_SECONDS (default 60).
fuzz: fuzz-build
	scripts/fuzz.sh $(FUZZ_SECONDS)

# A short run of every target, part of `make test`.
test-fuzz: fuzz-build
	scripts/fuzz.sh $(FUZZ_SMOKE_SECONDS)

test: test-native test-windows test-fuzz
	@echo "make test: all native and Windows tests passed"

clean:
	rm -rf build out dist
