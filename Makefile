# Two set-up commands: `make run` and `make test`. Both install what is missing.
BUILD_TYPE ?= RelWithDebInfo
SANITIZE ?= 0
ifeq ($(SANITIZE),1)
  BUILD_DIR ?= build-sanitize
  CMAKE_FLAGS += -DTARNWICK_SANITIZE=ON
else
  BUILD_DIR ?= build
endif

WINDOWS_BUILD_DIR ?= build-windows
WINDOWS_CMAKE_FLAGS ?=
# make fuzz: each fuzz target for FUZZ_SECONDS (Clang build in build-fuzz/).
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=

.PHONY: deps configure build test run bench demo screenshots windows test-windows fuzz clean

deps:
	@bash tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

run: build
	@$(BUILD_DIR)/tarnwick

bench: build
	@$(BUILD_DIR)/tarnwick_bench $(BENCH_ARGS)

demo: build
	@bash tools/demo.sh $(BUILD_DIR)

screenshots: build
	@bash tools/screenshots.sh $(BUILD_DIR)

# The Windows build: tarnwick-cli.exe and the core tests, cross-compiled with
# mingw-w64 and linked statically; the window needs Qt for Windows (README).
windows:
	@bash tools/install-deps.sh windows
	@cmake -S . -B $(WINDOWS_BUILD_DIR) -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DTARNWICK_GUI=OFF \
	  -DTARNWICK_BENCH=OFF -DTARNWICK_GTEST_SOURCE=/usr/src/googletest $(WINDOWS_CMAKE_FLAGS) > /dev/null
	@cmake --build $(WINDOWS_BUILD_DIR) --target tarnwick-cli tarnwick-gen tarnwick_tests

# The core tests under Wine, then the .exe's pages against the Linux build's.
test-windows: windows configure
	@cmake --build $(BUILD_DIR) --target tarnwick-cli tarnwick-gen
	@bash tools/test-windows.sh $(BUILD_DIR) $(WINDOWS_BUILD_DIR)

fuzz:
	@bash tools/install-deps.sh fuzz
	@bash fuzz/run.sh $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	@rm -rf build build-sanitize build-windows build-fuzz
