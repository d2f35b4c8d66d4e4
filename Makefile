# Two entry points: `make run` plays the bundled content, `make test` runs
# every test headless. Both install missing Debian packages first.

BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build deps clean

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

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

clean:
	rm -rf $(BUILD)
