# Lorvanel: `make run` starts the program on the bundled demo log, `make test` runs every test.
BUILD_DIR ?= build
# The build's own make runs below this one; its directory messages are noise here.
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
DEMO_LOG ?= resources/samples/demo-jane.txt

# Debian packages the build needs (the GUI's Qt and fonts come with it too); `file` and
# dpkg-dev are for `make package`.
PACKAGES := build-essential cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            libonig-dev qt6-base-dev qt6-svg-dev qt6-translations-l10n \
            fonts-ipafont-gothic file dpkg-dev
# What `make check-release` checks the desktop entry, the AppStream file and the man pages with.
CHECK_PACKAGES := desktop-file-utils appstream man-db
ICON_SIZES := 16 22 24 32 48 64 128 256

.PHONY: all deps configure build run test package check-release icons screenshot bench fuzz clean

all: build

deps:
	@bash tools/ensure-packages.sh $(PACKAGES)

# The benchmarks are built (never run) with the rest, so that a change that breaks them shows.
configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLORVANEL_BENCH=ON >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@bash tools/run-demo.sh $(BUILD_DIR) $(DEMO_LOG)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# lorvanel_<version>_<arch>.deb in the build directory, from the build `make test` made.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

# The release files as desktops, software centres and man read them.
check-release: deps
	@bash tools/ensure-packages.sh $(CHECK_PACKAGES)
	desktop-file-validate resources/lorvanel.desktop
	appstreamcli validate --no-net resources/org.lorvanel.Lorvanel.metainfo.xml
	@for page in docs/man/*.1; do \
	    echo "man -l $$page"; \
	    out=$$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$$page" 2>&1 >/dev/null); \
	    if [ -n "$$out" ]; then echo "$$out"; exit 1; fi; \
	done

# The hicolor PNGs, rendered again from resources/icons/lorvanel.svg.
icons: configure
	@cmake --build $(BUILD_DIR) --target lorvanel-render-icons
	@$(BUILD_DIR)/tools/icons/lorvanel-render-icons resources/icons/lorvanel.svg resources/icons $(ICON_SIZES)

# docs/screenshot.png: the program itself, offscreen, on the demo log.
screenshot: build
	@bash tools/make-screenshot.sh $(BUILD_DIR) $(DEMO_LOG) docs/screenshot.png

# Optimised build of its own; the generated logs are cached in ~/.cache/lorvanel-bench.
BENCH_BUILD_DIR ?= build-bench
# The window's benchmark (lorvanel-gui-bench) needs the GUI; BENCH_GUI=OFF leaves it out.
BENCH_GUI ?= ON
bench: deps
	@cmake -S . -B $(BENCH_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DLORVANEL_BENCH=ON \
	       -DLORVANEL_GUI=$(BENCH_GUI) -DLORVANEL_TESTS=OFF >/dev/null
	@cmake --build $(BENCH_BUILD_DIR) -j $(JOBS) --target lorvanel-bench lorvanel-loggen lorvanel-cli \
	       $(if $(filter ON,$(BENCH_GUI)),lorvanel lorvanel_data lorvanel-gui-bench)
	@bash bench/run-bench.sh $(BENCH_BUILD_DIR)

# libFuzzer targets, built by clang with AddressSanitizer and UBSan; each runs FUZZ_SECONDS.
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 45
FUZZ_PACKAGES := clang libclang-rt-14-dev

fuzz: deps
	@bash tools/ensure-packages.sh $(FUZZ_PACKAGES)
	@cmake -S . -B $(FUZZ_BUILD_DIR) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DLORVANEL_FUZZ=ON -DLORVANEL_GUI=OFF \
		-DLORVANEL_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD_DIR) --target fuzz-targets -j $(JOBS)
	@bash fuzz/run.sh $(FUZZ_BUILD_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR)
