# Task runner. `make test` builds both presets and runs every test; `make demo` replays
# the bundled sample log.
SHELL := /bin/bash
.PHONY: all deps native windows tsan release test test-native test-windows demo clean

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

release: deps
	cmake --preset release >/dev/null
	cmake --build --preset release

# Replays the sample log through the optimised module: the text summary on the terminal,
# the HTML summary, the bad-QSO report and the Cabrillo file in out/demo/.
DEMO_LOG := samples/zorvan-digi-sample.adi
DEMO_DIR := out/demo
REPLAY := build/release/bin/zorvan-replay
demo: release
	@rm -rf $(DEMO_DIR) && mkdir -p $(DEMO_DIR)
	@$(REPLAY) --workdir $(DEMO_DIR) $(DEMO_LOG) | tee $(DEMO_DIR)/summary.txt
	@$(REPLAY) --html --workdir $(DEMO_DIR) $(DEMO_LOG) 2>/dev/null >$(DEMO_DIR)/summary.html
	@$(REPLAY) --cabrillo --workdir $(DEMO_DIR) $(DEMO_LOG) 2>/dev/null >/dev/null
	@echo
	@echo "make demo: files in $(DEMO_DIR)/:"
	@ls -l $(DEMO_DIR) | tail -n +2

clean:
	rm -rf build out dist
