# Rebounder: the two everyday commands are `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
LEVEL      ?=

.PHONY: all deps build run test test-asan bench clean format

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/game && ./rebounder $(if $(LEVEL),"$(LEVEL)")

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) test-asan

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DREBOUNDER_SANITIZE=ON -DREBOUNDER_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target rebounder_tests rebounder
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS) -E window_smoke

bench: build
	cd $(BUILD)/game && ./rebounder_bench
	bash bench/idle_cpu.sh $(BUILD)/game

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
