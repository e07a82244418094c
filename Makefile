# The project's front door: `make demo` runs the main job, `make test` runs every test.
# Both install what is missing first (tools/bootstrap.sh, needs root on a fresh machine).

WIN32_BUILD := build/win32
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24"
WINE_RUN := tools/wine-run $(CURDIR)/$(WIN32_BUILD)/wineprefix

.PHONY: all bootstrap configure-win32 dll dist demo screenshots test test-native test-win32 bench fuzz format format-check clean

all: dll

bootstrap:
	@tools/bootstrap.sh

configure-win32: bootstrap
	@cmake --preset win32 >/dev/null

dll: configure-win32
	cmake --build --preset win32 --target Quorvel
	@echo "built $(WIN32_BUILD)/Quorvel.dll"

# The release zip: the DLL, its help pages, the read-me files and the licence.
DIST_ZIP := dist/Vintrell-0.1.0.4.zip
dist: dll
	python3 tools/make_dist.py . $(WIN32_BUILD)/Quorvel.dll $(DIST_ZIP)
	@echo "packed $(DIST_ZIP)"

demo: configure-win32
	cmake --build --preset win32 --target Quorvel B2 TestPlugin
	@$(XVFB) tools/demo.sh $(WIN32_BUILD)

# Pictures of the dialogs for the README, in docs/.
screenshots: configure-win32
	cmake --build --preset win32 --target Quorvel B2
	@$(XVFB) tools/screenshots.sh $(WIN32_BUILD) docs

test: format-check test-native test-win32

test-native: bootstrap
	cmake --preset native >/dev/null
	cmake --build --preset native
	ctest --preset native

test-win32: configure-win32
	cmake --build --preset win32
	$(XVFB) sh -c '$(WINE_RUN) --start; ctest --preset win32; status=$$?; $(WINE_RUN) --stop; exit $$status'

# Benchmarks of the core, in a Release build without sanitizers.
bench: bootstrap
	cmake --preset bench >/dev/null
	cmake --build --preset bench
	build/bench/bench/settings_bench
	build/bench/bench/scan_bench

# Each fuzz target for FUZZ_SECONDS under libFuzzer (clang), starting from its seed corpus; new
# inputs go to build/fuzz/corpus-<target>, crashes into build/fuzz.
FUZZ_SECONDS ?= 60
fuzz: bootstrap
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	@for target in settings_reader unescape find_header_value split_message scan_message normalize_version; do \
	  mkdir -p build/fuzz/corpus-$$target; \
	  build/fuzz/fuzz/$${target}_fuzz -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=build/fuzz/ \
	    build/fuzz/corpus-$$target fuzz/corpus/$$target || exit 1; \
	done

format:
	tools/format.sh

format-check: bootstrap
	tools/format.sh --check

clean:
	@chattr -R -i build 2>/dev/null || true  # a test's immutable folder, should a run have been cut short
	rm -rf build
