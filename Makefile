# Two entry points: `make run` plays the bundled content, `make test` runs
# every test headless. Both install missing Debian packages first.

BUILD ?= build
ASAN_BUILD ?= $(BUILD)-asan
JOBS ?= $(shell nproc)

.PHONY: run test build asan deps clean

deps:
	@./scripts/install-deps.sh

$(BUILD)/Makefile: CMakeLists.txt
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

# Only the game itself: the tests and benchmarks are not needed to play.
run: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS) --target tolvane
	TOLVANE_CONTENT=$(CURDIR)/content $(BUILD)/tolvane

# The scenario runner built with AddressSanitizer: the shut-down scenarios run
# under it too, so a use after free or a leak at exit fails the tests.
asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTOLVANE_SANITIZE=ON >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target tolvane-play

test: build asan
	cmake -S . -B $(BUILD) -DTOLVANE_ASAN_PLAY=$(CURDIR)/$(ASAN_BUILD)/tolvane-play >/dev/null
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
