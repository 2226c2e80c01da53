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

.PHONY: deps configure build test run bench demo screenshots windows test-windows dist-windows \
        test-dist-windows screenshots-windows fuzz clean

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

# The Windows build, cross-compiled with mingw-w64: tarnwick-cli.exe and the
# core tests linked statically, and (unless WINDOWS_GUI=0) the window and its
# tests against Qt for Windows, built once per machine into a cache (README).
WINDOWS_GUI ?= 1
windows:
	@bash tools/install-deps.sh windows
	@bash tools/configure-windows.sh $(WINDOWS_BUILD_DIR) $(WINDOWS_GUI) $(WINDOWS_CMAKE_FLAGS)
	@cmake --build $(WINDOWS_BUILD_DIR)

# The core tests and the window's tests under Wine, then the .exe's pages
# against the Linux build's.
test-windows: windows configure
	@cmake --build $(BUILD_DIR) --target tarnwick-cli tarnwick-gen
	@WINDOWS_GUI=$(WINDOWS_GUI) bash tools/test-windows.sh $(BUILD_DIR) $(WINDOWS_BUILD_DIR)

# The portable zip a Windows user unpacks and runs, then the same zip tested
# as a user would use it: unpacked under Wine and run from two folders.
dist-windows: windows
	@bash tools/dist-windows.sh $(WINDOWS_BUILD_DIR)

test-dist-windows: dist-windows configure
	@cmake --build $(BUILD_DIR) --target tarnwick-cli
	@bash tools/test-dist-windows.sh $(BUILD_DIR) $(WINDOWS_BUILD_DIR)

# Pictures of the window as Windows draws it, under Wine and Xvfb.
screenshots-windows: windows
	@bash tools/screenshots-windows.sh $(WINDOWS_BUILD_DIR)

fuzz:
	@bash tools/install-deps.sh fuzz
	@bash fuzz/run.sh $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	@rm -rf build build-sanitize build-windows build-fuzz
