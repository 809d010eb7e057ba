# Task runner. `make test` builds both presets and runs every test; `make demo` replays
# the bundled sample log.
SHELL := /bin/bash
.PHONY: all deps native windows tsan release test test-native test-windows demo screenshots clean

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

test: test-native test-windows
	@echo "make test: all native and Windows tests passed"

# Pictures of the programs' windows under Wine: out/screenshots/*.png.
screenshots: windows
	scripts/screenshots.sh build/windows

clean:
	rm -rf build out dist
