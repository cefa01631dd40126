# The two set-up commands are `make run` and `make test`; both install what
# they need first. `make test SANITIZE=1` builds with ASan and UBSan;
# `make test TSAN=1` builds with ThreadSanitizer and runs the tests of the
# parts that use threads (the real-time loop, the input reader, the speech
# workers, the program on the wall clock).
SANITIZE ?= 0
TSAN ?= 0
JOBS ?= $(shell nproc)

ifeq ($(SANITIZE),1)
BUILD ?= build-sanitize
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=Debug -DPREVOD_SANITIZE=ON
else ifeq ($(TSAN),1)
BUILD ?= build-tsan
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPREVOD_TSAN=ON
BUILD_TARGETS := --target prevod prevod_base_tests prevod_voice_tests \
  prevod_voicereader_service_tests prevod_program_tests
TEST_SELECTION := -R '^(base|voice|voicereader_service)/|^program/(TerminalMode|LineReader|ConsoleSession|ConsoleSpeech|SingleInstance)'
else
BUILD ?= build
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif

.PHONY: all deps configure build run sim test bench bench-desktop soak screenshot format \
  format-check werror fuzz clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: $(BUILD)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD) -j $(JOBS) $(BUILD_TARGETS)

run: build
	./$(BUILD)/prevod

sim: build
	./$(BUILD)/prevod-sim

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(TEST_SELECTION)

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j $(JOBS)
	@for b in build-bench/bench/bench_*; do \
	  case $$b in *bench_soak) continue;; esac; echo "== $$b"; \
	  case $$b in *bench_x11_*) scripts/x11-session -- $$b ;; *) $$b ;; esac; done

# Resident memory, idle CPU and launch time of prevod next to goldendict on a
# private X server, five runs each (bench/desktop.sh; some twenty minutes).
bench-desktop: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j $(JOBS) --target prevod window-watch tick-floor
	bench/desktop.sh --prevod build-bench/prevod --window-watch build-bench/bench/window-watch \
	  --tick-floor build-bench/bench/tick-floor

# A seeded random user for SOAK_HOURS simulated hours, invariants checked
# throughout; prints the resident memory once an hour.
SOAK_HOURS ?= 72
soak: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j $(JOBS) --target bench_soak
	./build-bench/bench/bench_soak $(SOAK_HOURS)

# Renders the speech window behind the translation window, as they stand
# once the program is ready, into docs/screenshot.png, on a private X
# server. SCREENSHOT_OPTIONS may add --settings, --speech-settings,
# --scale 2 or --translate TEXT.
SCREENSHOT_OPTIONS ?= --settings
screenshot: build
	scripts/x11-session -- env QT_QPA_PLATFORM=xcb \
	  ./$(BUILD)/prevod-screenshot $(SCREENSHOT_OPTIONS) docs/screenshot.png

# Fuzzes each target for FUZZ_SECONDS (clang, libFuzzer, ASan and UBSan).
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPREVOD_FUZZ=ON \
	  -DCMAKE_CXX_COMPILER=clang++
	cmake --build build-fuzz -j $(JOBS)
	scripts/fuzz $(FUZZ_SECONDS) build-fuzz

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# Fails when a tracked source differs from what clang-format makes of it.
format-check:
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

# Builds everything with warnings as errors, in a directory of its own.
werror: deps
	cmake -S . -B build-werror -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPREVOD_WERROR=ON
	cmake --build build-werror -j $(JOBS)

clean:
	rm -rf build build-sanitize build-tsan build-bench build-werror build-fuzz
