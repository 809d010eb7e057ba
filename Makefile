# Task runner. `make test` builds both presets and runs every test; `make demo` replays
# the bundled sample log.
SHELL := /bin/bash
.PHONY: all deps native windows tsan release test test-native test-tsan test-windows demo clean

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

# The stress test of the host's thread against the window thread, under ThreadSanitizer.
tsan: deps
	cmake --preset native-tsan >/dev/null
	cmake --build --preset native-tsan --target zd_stress_tests

test-tsan: tsan
	ctest --preset native-tsan -R Stress

test-windows: windows
	scripts/wine-ctest.sh build/windows

test: test-native test-tsan test-windows
	@echo "make test: all native and Windows tests passed"

clean:
	rm -rf build out dist
