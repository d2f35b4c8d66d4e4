# Two entry points: `make run` plays the bundled content, `make test` runs
# every test headless, on the normal build and again on a build with
# AddressSanitizer and UBSan. Both install missing Debian packages first.

BUILD ?= build
ASAN_BUILD ?= $(BUILD)-asan
# The fuzz targets, built by clang with libFuzzer (its tests are named fuzz.*).
FUZZ_BUILD ?= $(BUILD)-fuzz
# Where `make test` gathers both builds' tests into one CTest run.
ALL_TESTS ?= $(BUILD)-tests
JOBS ?= $(shell nproc)

.PHONY: run test build asan bench deps clean test-builds build-tree asan-tree fixtures monkey
.PHONY: fuzz fuzz-tree

deps:
	@./scripts/install-deps.sh

$(BUILD)/Makefile: CMakeLists.txt
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(ASAN_BUILD)/Makefile: CMakeLists.txt
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTOLVANE_SANITIZE=ON

$(FUZZ_BUILD)/Makefile: CMakeLists.txt
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_FUZZ=ON

build: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

# Everything built with AddressSanitizer and UBSan; its tests are named asan.*.
asan: deps $(ASAN_BUILD)/Makefile
	cmake --build $(ASAN_BUILD) -j $(JOBS)

# The benchmarks, on the normal build only; `make test` does not build them.
bench: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks

# Only the game itself: the tests and benchmarks are not needed to play.
run: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS) --target tolvane
	TOLVANE_CONTENT=$(CURDIR)/content $(BUILD)/tolvane

# Both builds compile at once from one pool of $(JOBS) jobs (their generated
# makefiles run as sub-makes of this one, so they share its job server), then
# one CTest run takes every test of both, longest first once it has timed
# them, so neither build waits for the other's slowest tests.
test: deps
	$(MAKE) --no-print-directory -j $(JOBS) test-builds
	@mkdir -p $(ALL_TESTS)
	@printf 'subdirs("%s")\nsubdirs("%s")\n' "$(abspath $(BUILD))" "$(abspath $(ASAN_BUILD))" \
		>$(ALL_TESTS)/CTestTestfile.cmake
	@printf 'subdirs("%s")\n' "$(abspath $(FUZZ_BUILD))" >>$(ALL_TESTS)/CTestTestfile.cmake
	cd $(ALL_TESTS) && ctest --output-on-failure -j $(JOBS) --timeout 300

test-builds: build-tree asan-tree fuzz-tree

build-tree: $(BUILD)/Makefile
	+$(MAKE) --no-print-directory -C $(BUILD)

asan-tree: $(ASAN_BUILD)/Makefile
	+$(MAKE) --no-print-directory -C $(ASAN_BUILD)

fuzz-tree: $(FUZZ_BUILD)/Makefile
	+$(MAKE) --no-print-directory -C $(FUZZ_BUILD)

# The chapter saves under tests/fixtures/saves/, written afresh by playing
# the demo story.
fixtures: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS) --target tolvane-play
	@mkdir -p tests/fixtures/saves
	TOLVANE_WRITE_FIXTURES=1 $(BUILD)/tolvane-play content tests/scenarios/demo_story.lua

# Random play on the sanitizer build, for long runs outside CI:
#   make monkey SEED=7 STEPS=1000000
SEED ?= 1
STEPS ?= 100000
monkey: deps $(ASAN_BUILD)/Makefile
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target tolvane-play
	sh tests/monkey/run.sh $(abspath $(ASAN_BUILD))/tolvane-play $(CURDIR)/content $(SEED) $(STEPS)

# One fuzz target for longer, from its committed corpus, outside CI:
#   make fuzz TARGET=fuzz_save SECONDS=3600
# New inputs are not kept; a crashing one is left in $(FUZZ_BUILD)/fuzz-artifacts/.
TARGET ?= fuzz_save
SECONDS ?= 600
fuzz: deps $(FUZZ_BUILD)/Makefile
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(TARGET)
	sh fuzz/run.sh $(abspath $(FUZZ_BUILD))/fuzz/$(TARGET) $(CURDIR)/fuzz $(SECONDS) \
		$(abspath $(FUZZ_BUILD))/fuzz-artifacts/$(TARGET)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(ALL_TESTS)
