# Thin wrapper over CMake/CTest. `make play` and `make test` are the two
# commands of the README; both install what is missing first.
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30

.PHONY: deps configure build data play test fuzz bench clean

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The data pack (pictures, rules, sounds, music, help) is generated, never checked in.
data: build
	./$(BUILD)/zenbox-data generate $(BUILD)/data

play: data
	./$(BUILD)/zenbox --data $(BUILD)/data

test: data
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) fuzz

# Each libFuzzer target runs for a bounded time when clang is available.
fuzz: deps
	@if command -v clang++ >/dev/null 2>&1; then \
	  CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DZB_FUZZ=ON -DZB_TESTS=OFF -DZB_BENCH=OFF \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined" && \
	  cmake --build $(FUZZ_BUILD) -j $(JOBS) && \
	  ./scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(BUILD); \
	else echo "clang++ not found: fuzzing skipped"; fi

bench: build
	for b in $(BUILD)/bench/bench_*; do $$b; done

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
