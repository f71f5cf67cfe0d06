# Simple Gagnant: the two everyday commands are `make run` and `make test`.
BUILD_DIR := build
ASAN_DIR  := build-asan
PRESET    ?= release

.PHONY: all deps build run test asan-test bench format install uninstall deb clean

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

bench: deps
	cmake --preset bench
	cmake --build build-bench --target sg-bench
	./build-bench/sg-bench

format:
	find src tests tools bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

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
	rm -rf $(BUILD_DIR) $(ASAN_DIR) build-bench simple-gagnant_*.deb
