# Lorvanel: `make run` starts the program on the bundled demo log, `make test` runs every test.
BUILD_DIR ?= build
# The build's own make runs below this one; its directory messages are noise here.
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
DEMO_LOG ?= resources/samples/demo-jane.txt

# Debian packages the build needs (the GUI's Qt and fonts come with it too).
PACKAGES := build-essential cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            libonig-dev qt6-base-dev qt6-svg-dev qt6-translations-l10n \
            fonts-ipafont-gothic

.PHONY: all deps configure build run test bench fuzz clean

all: build

deps:
	@bash tools/ensure-packages.sh $(PACKAGES)

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@bash tools/run-demo.sh $(BUILD_DIR) $(DEMO_LOG)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Optimised build of its own; the generated logs are cached in ~/.cache/lorvanel-bench.
BENCH_BUILD_DIR ?= build-bench
# The window's benchmark (lorvanel-gui-bench) needs the GUI; BENCH_GUI=OFF leaves it out.
BENCH_GUI ?= ON
bench: deps
	@cmake -S . -B $(BENCH_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DLORVANEL_BENCH=ON \
	       -DLORVANEL_GUI=$(BENCH_GUI) -DLORVANEL_TESTS=OFF >/dev/null
	@cmake --build $(BENCH_BUILD_DIR) -j $(JOBS) --target lorvanel-bench lorvanel-loggen lorvanel-cli
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
