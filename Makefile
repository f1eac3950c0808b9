# Rebounder: the two everyday commands are `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
LEVEL      ?=
# Options for the game, as `make run ARGS="--windowed --scale 2"`.
ARGS       ?=
PREFIX     ?= /usr/local
DEB_BUILD  ?= build-deb
FUZZ_BUILD ?= build-fuzz
# Seconds each fuzz target runs, and the targets (all when empty).
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=

.PHONY: all deps test-deps build run test test-asan fuzz bench clean format install deb

all: build

# What building and running need; the tests' own packages come with `make test`.
deps:
	@bash scripts/install-deps.sh

test-deps:
	@bash scripts/install-deps.sh test

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# Only the game and its assets: the tests, benchmarks and fuzz drivers are
# `make test`'s, even in a tree configured for them.
run: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target rebounder
	cd $(BUILD)/game && ./rebounder $(if $(LEVEL),"$(LEVEL)") $(ARGS)

test: test-deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREBOUNDER_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) test-asan

test-asan: test-deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DREBOUNDER_SANITIZE=ON -DREBOUNDER_TESTS=ON -DREBOUNDER_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target rebounder_tests rebounder fuzz_targets pointerfree
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS) -E 'window_smoke|install_check'

# The installed game looks for its files in $(PREFIX)/share/rebounder first.
install: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) -j $(JOBS)
	cmake --install $(BUILD)

# A Debian package of the game for /usr, in this folder: rebounder_<version>-1_<arch>.deb
deb:
	@bash scripts/install-deps.sh deb
	cmake -S . -B $(DEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DREBOUNDER_TESTS=OFF -DREBOUNDER_BENCH=OFF
	cmake --build $(DEB_BUILD) -j $(JOBS)
	cd $(DEB_BUILD) && cpack -G DEB
	cp $(DEB_BUILD)/rebounder_*.deb .

# libFuzzer needs clang; the fuzz build is the sanitizer build with coverage.
fuzz:
	@bash scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DREBOUNDER_SANITIZE=ON -DREBOUNDER_FUZZ=ON -DREBOUNDER_TESTS=OFF -DREBOUNDER_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	bash tests/fuzz/run.sh $(FUZZ_BUILD)/fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

bench: test-deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD)/game && ./rebounder_bench
	bash bench/idle_cpu.sh $(BUILD)/game

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(DEB_BUILD) $(FUZZ_BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
