# The two set-up commands are `make run` and `make test`; both install what
# they need first. `make test SANITIZE=1` builds with ASan and UBSan.
SANITIZE ?= 0
JOBS ?= $(shell nproc)

ifeq ($(SANITIZE),1)
BUILD ?= build-sanitize
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=Debug -DPREVOD_SANITIZE=ON
else
BUILD ?= build
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif

.PHONY: all deps configure build run sim test bench format format-check werror fuzz clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: $(BUILD)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/prevod

sim: build
	./$(BUILD)/prevod-sim

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j $(JOBS)
	@for b in build-bench/bench_*; do echo "== $$b"; $$b; done

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
	rm -rf build build-sanitize build-bench build-werror build-fuzz
