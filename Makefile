# Simple Gagnant: the two everyday commands are `make run` and `make test`.
BUILD_DIR := build
ASAN_DIR  := build-asan
PRESET    ?= release

.PHONY: all deps build run test asan-test fuzz fuzz-merge bench format clean

all: build

# Installs the Debian packages of debian-packages.txt that are missing.
deps:
	@sh cmake/install-deps.sh debian-packages.txt

$(BUILD_DIR)/build.ninja: CMakeLists.txt CMakePresets.json
	cmake --preset $(PRESET)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "Aucun écran graphique (DISPLAY) : lancez 'make run' depuis une session graphique."; exit 1; fi
	./$(BUILD_DIR)/simple-gagnant

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

asan-test: deps
	cmake --preset asan
	cmake --build $(ASAN_DIR)
	ctest --test-dir $(ASAN_DIR) --output-on-failure -j2

# The core's text rules under libFuzzer for FUZZ_SECONDS, starting from the committed corpus.
# New inputs land in build-fuzz/corpus (and a failing one in build-fuzz/); `make fuzz-merge`
# adds those that reach new code to the committed corpus.
FUZZ_SECONDS ?= 60
FUZZ_CORPUS  := tests/fuzz/text/corpus

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

format:
	find src tests tools bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) build-bench build-fuzz
