# Simple Gagnant: the two everyday commands are `make run` and `make test`.
BUILD_DIR := build
ASAN_DIR  := build-asan
WINDOWS_DIR := build-windows
PRESET    ?= release
# Extra configure options, e.g. CMAKE_ARGS=-DCMAKE_COMPILE_WARNING_AS_ERROR=ON in CI.
CMAKE_ARGS ?=
# The core, checked by clang-tidy.
CORE_DIRS := src/numbers src/calc src/racefile src/ledger src/app src/pmu src/fetch

.PHONY: all deps build run test asan-test windows windows-test fuzz fuzz-merge bench startup import-bench format format-check tidy install uninstall deb clean

all: build

# Installs the Debian packages of debian-packages.txt that are missing.
deps:
	@sh cmake/install-deps.sh debian-packages.txt

$(BUILD_DIR)/build.ninja: CMakeLists.txt CMakePresets.json
	cmake --preset $(PRESET) $(CMAKE_ARGS)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "Aucun écran graphique (DISPLAY) : lancez 'make run' depuis une session graphique."; exit 1; fi
	./$(BUILD_DIR)/simple-gagnant

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

asan-test: deps
	cmake --preset asan $(CMAKE_ARGS)
	cmake --build $(ASAN_DIR)
	ctest --test-dir $(ASAN_DIR) --output-on-failure -j2

# sg-race.exe, the core and their tests for Windows, cross-built with MinGW-w64 (no Qt).
windows:
	@sh cmake/install-deps.sh debian-packages-windows.txt
	cmake --preset windows $(CMAKE_ARGS)
	cmake --build $(WINDOWS_DIR)

# Those tests under Wine, and sg-race.exe beside the Linux sg-race of build/: same outputs, same
# files byte for byte.
windows-test: windows deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) --target sg-race sg-serve-folder
	sh cmake/wine-test.sh $(WINDOWS_DIR)

# The core's text rules under libFuzzer for FUZZ_SECONDS, starting from the committed corpus.
# New inputs land in build-fuzz/corpus (and a failing one in build-fuzz/); `make fuzz-merge`
# adds those that reach new code to the committed corpus.
FUZZ_SECONDS ?= 60
FUZZ_CORPUS  := tests/fuzz/corpus

fuzz: deps
	@sh cmake/install-deps.sh debian-packages-fuzz.txt
	cmake --preset fuzz
	cmake --build build-fuzz --target sg-text-fuzzer
	mkdir -p build-fuzz/corpus
	./build-fuzz/sg-text-fuzzer -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=build-fuzz/ \
	    build-fuzz/corpus $(FUZZ_CORPUS)

fuzz-merge:
	./build-fuzz/sg-text-fuzzer -merge=1 $(FUZZ_CORPUS) build-fuzz/corpus

bench: deps
	cmake --preset bench
	cmake --build build-bench --target sg-bench
	./build-bench/sg-bench

# The import of a made-up year of races from a folder, on one processor, beside a cat of its
# documents; its writes, and its peak memory for a month and for the year.
import-bench: deps
	cmake --preset bench
	cmake --build build-bench --target sg-race sg-generate-pmu-days
	sh bench/import/measure.sh build-bench

# The program's start-up and memory beside an empty Qt Widgets window (offscreen, 20 runs).
startup: deps
	cmake --preset bench
	cmake --build build-bench --target sg-startup-probe empty-qt-window compare-startup
	sh bench/startup/measure.sh build-bench

format:
	find src tests tools bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

format-check: deps
	find src tests tools bench -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror

# clang-tidy over the core, with the compile commands of build/ (.clang-tidy says which checks).
# clang does not know some of g++'s warning options, an error once warnings are errors.
tidy: deps $(BUILD_DIR)/build.ninja
	run-clang-tidy -quiet -j 2 -p $(BUILD_DIR) -extra-arg=-Wno-unknown-warning-option $(addprefix $(CURDIR)/,$(CORE_DIRS)) > $(BUILD_DIR)/tidy.log 2>&1 \
	  || { grep -v -e '^clang-tidy' -e 'warnings generated' $(BUILD_DIR)/tidy.log | sed 's/\x1b\[[0-9;]*m//g'; exit 1; }
	@echo "clang-tidy: no finding in the core."

# The program, its icon and its menu entry under /usr/local (run it with sudo).
install: build
	cmake --install $(BUILD_DIR) --strip

uninstall:
	xargs -d '\n' rm -f < $(BUILD_DIR)/install_manifest.txt

# A Debian package in this folder, for `sudo apt install ./simple-gagnant_*.deb`.
deb: build
	cd $(BUILD_DIR) && cpack -G DEB
	cp $(BUILD_DIR)/simple-gagnant_*.deb .

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(WINDOWS_DIR) build-bench build-fuzz simple-gagnant_*.deb
