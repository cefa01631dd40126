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

.PHONY: all deps configure build run sim test bench format clean

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
	@for b in build-bench/bench_*; do echo "== $$b"; \
	  case $$b in *bench_x11_*) scripts/x11-session -- $$b ;; *) $$b ;; esac; done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-sanitize build-bench
