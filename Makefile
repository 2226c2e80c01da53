# Two set-up commands: `make run` and `make test`. Both install what is missing.
BUILD_TYPE ?= RelWithDebInfo
SANITIZE ?= 0
ifeq ($(SANITIZE),1)
  BUILD_DIR ?= build-sanitize
  CMAKE_FLAGS += -DTARNWICK_SANITIZE=ON
else
  BUILD_DIR ?= build
endif

# make fuzz: each fuzz target for FUZZ_SECONDS (Clang build in build-fuzz/).
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=

.PHONY: deps configure build test run bench demo screenshots fuzz clean

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

fuzz: deps
	@bash fuzz/run.sh $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	@rm -rf build build-sanitize build-fuzz
