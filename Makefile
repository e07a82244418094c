# The project's front door: `make demo` runs the main job, `make test` runs every test.
# Both install what is missing first (tools/bootstrap.sh, needs root on a fresh machine).
#
# The product is the 32-bit DLL (build/win32). Some machines run no 32-bit program; there the Windows
# side runs as its 64-bit twin (build/win64), built from the same sources, and the 32-bit DLL itself
# runs in an emulated x86-64 machine (tools/emulated-run). tools/probe-32bit tells which kind of
# machine this is; QUORVEL_64_ONLY=1 takes the 64-bit-only path on any machine.

WIN32_BUILD := build/win32
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24"

# The CTest run of one Windows build (win32 or win64) under its own Wine and a virtual display, with
# one Wine server kept running for the whole run.
wine_tests = WINEARCH=$(1) $(XVFB) sh -c 'tools/wine-run $(CURDIR)/build/$(1)/wineprefix --start; \
  ctest --preset $(1); status=$$?; tools/wine-run $(CURDIR)/build/$(1)/wineprefix --stop; exit $$status'

.PHONY: all bootstrap configure-win32 configure-win64 dll dist demo screenshots test test-common test-native \
  test-release test-win64 test-win32 test-win32-emulated bench bench-retrieval fuzz format format-check clean

all: dll

bootstrap:
	@tools/bootstrap.sh

configure-win32: bootstrap
	@cmake --preset win32 >/dev/null

configure-win64: bootstrap
	@cmake --preset win64 >/dev/null

dll: configure-win32
	cmake --build --preset win32 --target Quorvel
	@echo "built $(WIN32_BUILD)/Quorvel.dll"

# The release zip: the DLL, its help pages, the read-me files and the licence.
DIST_ZIP := dist/Vintrell-0.1.0.4.zip
dist: dll
	python3 tools/make_dist.py . $(WIN32_BUILD)/Quorvel.dll $(DIST_ZIP)
	@echo "packed $(DIST_ZIP)"

# The 32-bit build where this machine runs it, else the 64-bit twin, or with QUORVEL_DEMO_32=1 the
# 32-bit build in an emulated machine; the first line says which.
demo: bootstrap
	@if why=$$(tools/probe-32bit); then build=win32 emulated=0 what="the 32-bit build"; \
	 elif [ "$${QUORVEL_DEMO_32:-0}" != 0 ]; then build=win32 emulated=1 \
	   what="the 32-bit build in an emulated x86-64 machine, as QUORVEL_DEMO_32 asks (it boots and makes a 32-bit Wine prefix first: a few minutes)"; \
	 else build=win64 emulated=0 what="the 64-bit twin (QUORVEL_DEMO_32=1 runs the 32-bit build in an emulated machine)"; fi; \
	 echo "make demo runs $$what, build/$$build: $$why"; \
	 cmake --preset $$build >/dev/null && cmake --build --preset $$build --target Quorvel B2 TestPlugin || exit 1; \
	 if [ $$emulated = 1 ]; then \
	   tools/emulated-run -- $(XVFB) tools/demo.sh build/$$build --prefix /tmp/quorvel-demo-prefix; \
	 else $(XVFB) tools/demo.sh build/$$build; fi

# Pictures of the dialogs for the README, in docs/: of the product, so only where it runs.
screenshots: configure-win32
	cmake --build --preset win32 --target Quorvel B2
	@$(XVFB) tools/screenshots.sh $(WIN32_BUILD) docs

# Every test. The 64-bit twin's stage runs on every machine, so that nobody breaks it unseen; the
# 32-bit stage runs where the machine can run it. Where it cannot, the scenarios run with the 32-bit
# DLL in an emulated machine, and the run says how many of the stage's tests that leaves out.
test: bootstrap
	@if why=$$(tools/probe-32bit); then \
	   echo "make test runs the 64-bit twin and the 32-bit build: $$why"; \
	   $(MAKE) --no-print-directory test-common test-win32; \
	 else \
	   echo "make test runs the 64-bit twin, and the 32-bit build's scenarios in an emulated machine: $$why"; \
	   QUORVEL_PROBE="$$why" $(MAKE) --no-print-directory test-common test-win32-emulated; \
	 fi

# What needs no 32-bit program: format, the core's unit tests, the product's tables and reproducible
# bytes, and the twin.
test-common: format-check test-native test-release test-win64

# The unit tests include reading the product DLL's tables, so the DLL is built first.
test-native: bootstrap dll
	cmake --preset native >/dev/null
	cmake --build --preset native
	ctest --preset native

test-release: dll
	tests/release/reproducible_build.sh $(CURDIR) $(CURDIR)/$(WIN32_BUILD)

test-win64: configure-win64
	cmake --build --preset win64
	$(call wine_tests,win64)

test-win32: configure-win32
	cmake --build --preset win32
	$(call wine_tests,win32)

# The 32-bit stage where no 32-bit program runs: the scenarios (tests/scenarios) with the release
# zip's DLL in the 32-bit stand-in host, inside an emulated x86-64 machine whose kernel runs 32-bit
# programs. The stage's test programs cannot run there (libstdc++'s streams crash under the
# emulation): they are counted out. A machine that cannot start fails the stage.
EMULATED := $(WIN32_BUILD)/emulated
test-win32-emulated: configure-win32
	cmake --build --preset win32 --target Quorvel B2 TestPlugin
	@start=$$(date +%s); \
	 tools/emulated-run -- $(XVFB) tests/scenarios/run.sh $(WIN32_BUILD) --prefix /tmp/quorvel-prefix \
	   --out $(EMULATED); status=$$?; \
	 if [ $$status = 125 ]; then echo "make test: the 32-bit stage FAILED: the emulated machine could not start"; exit 1; fi; \
	 [ $$status = 0 ] || { echo "make test: the 32-bit stage FAILED (emulated machine)"; exit 1; }; \
	 total=$$(ctest --preset win32 -N | sed -n 's/^Total Tests: //p'); \
	 echo "make test: the 32-bit stage ran its scenarios in an emulated machine ($$(( $$(date +%s) - start )) s)." \
	   "Its other $$((total - 1)) tests (test programs and their fixtures) cannot run there: NOT run, and" \
	   "not counted as passed$${QUORVEL_PROBE:+ ($$QUORVEL_PROBE)}. The 64-bit twin ran them but for the 32-bit-only checks" \
	   "(stdcall stack balance, the fs:[0] handler chain)."

# Benchmarks of the core, in a Release build without sanitizers.
bench: bootstrap
	cmake --preset bench >/dev/null
	cmake --build --preset bench
	build/bench/bench/settings_bench
	build/bench/bench/scan_bench
	@$(MAKE) --no-print-directory bench-retrieval

# What the plug-in adds to the host's time while it retrieves mail: in the twin, and in the 32-bit
# build where the machine runs it.
bench-retrieval: configure-win64
	cmake --build --preset win64 --target Quorvel B2
	$(XVFB) bench/retrieval_bench.sh build/win64
	@if tools/probe-32bit >/dev/null; then \
	   cmake --preset win32 >/dev/null && cmake --build --preset win32 --target Quorvel B2 && \
	   $(XVFB) bench/retrieval_bench.sh build/win32; \
	 fi

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
