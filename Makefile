# Task runner. `make test` builds both presets and runs every test; `make demo` replays
# the bundled sample log.
SHELL := /bin/bash
.PHONY: all deps native windows tsan release test test-native test-windows test-tsan test-fuzz fuzz soak soak-windows demo screenshots dist clean

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

# The tests that run two threads, under ThreadSanitizer.
test-tsan: deps
	cmake --preset native-tsan >/dev/null
	cmake --build --preset native-tsan --target thread_checks
	ctest --preset native-tsan -L threads

# The long soak: 200,000 QSOs through the optimised module, with latency percentiles.
soak: release
	build/release/bin/zd_soak 200000

# The window soak in full: a whole contest through the host stand-in with every window
# open, read back at 120 random moments (`make test` plays a short one).
WINDOW_SOAK_QSOS ?= 3600
WINDOW_SOAK_MOMENTS ?= 120
soak-windows: windows
	ZD_WINDOW_SOAK_QSOS=$(WINDOW_SOAK_QSOS) ZD_WINDOW_SOAK_MOMENTS=$(WINDOW_SOAK_MOMENTS) \
	  scripts/wine-ctest.sh build/windows -R '^zd_window_soak$$' -V

test: test-native test-windows test-tsan test-fuzz
	@echo "make test: all native and Windows tests passed"

release: deps
	cmake --preset release >/dev/null
	cmake --build --preset release

# Replays the sample log through the optimised module: the text summary on the terminal,
# then every QSO that does not score with the module's reason; the after-contest report
# and its QSO table, the HTML summary, the bad-QSO report and the Cabrillo file in
# out/demo/ (named with --workdir: without it the replay would make a folder of its own
# beside the sample, in samples/).
DEMO_LOG := samples/zorvan-digi-sample.adi
DEMO_DIR := out/demo
REPLAY := build/release/bin/zorvan-replay
demo: release
	@rm -rf $(DEMO_DIR) && mkdir -p $(DEMO_DIR)
	@$(REPLAY) --workdir $(DEMO_DIR) --report $(DEMO_DIR)/report.html --csv $(DEMO_DIR)/report.csv \
	  --scp /usr/share/hamradio-files/MASTER.SCP $(DEMO_LOG) | tee $(DEMO_DIR)/summary.txt
	@$(REPLAY) --html --workdir $(DEMO_DIR) $(DEMO_LOG) 2>/dev/null >$(DEMO_DIR)/summary.html
	@$(REPLAY) --cabrillo --workdir $(DEMO_DIR) $(DEMO_LOG) 2>/dev/null >/dev/null
	@echo
	@echo "make demo: files in $(DEMO_DIR)/:"
	@ls -l $(DEMO_DIR) | tail -n +2

# Pictures of the programs' windows under Wine, and of zorvan-check's pages and the sample's
# after-contest report in headless Chromium: out/screenshots/*.png.
screenshots: windows release
	@bash scripts/install-deps.sh screenshots
	scripts/screenshots.sh build/windows
	scripts/screenshots_status.sh build/windows
	scripts/screenshots_check.sh build/release
	scripts/screenshots_report.sh build/release

# The release archive dist/zorvan-digi-VERSION-win32.zip (VERSION: the project version in
# CMakeLists.txt), packed from the Windows build whose tests have just passed, with the
# guides' pictures of `make screenshots`; then installed and run once more under Wine.
dist: native test-windows screenshots
	@rm -rf dist && mkdir -p dist
	@scripts/make-dist.sh build/windows dist out/screenshots >/dev/null
	ZD_DIST_ZIP="$$(ls $(CURDIR)/dist/zorvan-digi-*-win32.zip)" \
	  scripts/wine-ctest.sh build/windows -R '^release_archive_installs$$'
	@echo "make dist: $$(ls dist/*.zip) ($$(stat -c %s dist/*.zip) bytes):"
	@unzip -l dist/*.zip | tail -n +2

clean:
	rm -rf build out dist
