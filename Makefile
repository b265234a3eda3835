# Thin wrapper over CMake/CTest. `make play` and `make test` are the two
# commands of the README; both install what is missing first.
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30
# Install location (`make install PREFIX=...`); kept from the last configure when not given.
PREFIX ?=

.PHONY: deps configure build game data play test fuzz bench bench-display soak clean install uninstall deb

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(PREFIX),-DCMAKE_INSTALL_PREFIX=$(PREFIX))

# Everything: the game, its tools, the tests and the benchmarks.
build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only what playing needs: the game, the data tool and the translations.
# The tests and benchmarks are built by `make test` and `make bench`.
game: configure
	cmake --build $(BUILD) -j $(JOBS) --target zenbox zenbox-data zenbox-translations

# The data pack (pictures, rules, sounds, music, help) is generated, never checked in.
data: game
	./$(BUILD)/zenbox-data generate $(BUILD)/data

play: data
	./$(BUILD)/zenbox --data $(BUILD)/data

test: build data
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) fuzz

# DESTDIR (from the command line or the environment) stages the files
# under another root, as packagers do.
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD)

uninstall:
	DESTDIR=$(DESTDIR) cmake --build $(BUILD) --target uninstall

# A Debian package of the same install, under /usr.
deb: build
	cd $(BUILD) && cpack -G DEB

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

# The game on Xvfb with a window manager next to a Debian puzzle game: start
# time, CPU and memory (several minutes).
bench-display: data
	./scripts/bench-display.sh $(BUILD)

# Every built Sinkra demo at every level for SOAK_MINUTES of game time, under
# AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer. Long:
# outside `make test`.
SOAK_BUILD ?= build-soak-asan
SOAK_MINUTES ?= 30
SOAK_FLAGS = -O1 -g -fsanitize=address,undefined -fno-omit-frame-pointer

soak: deps
	CC=gcc CXX=g++ cmake -S . -B $(SOAK_BUILD) -DCMAKE_BUILD_TYPE=Debug -DZB_BENCH=OFF \
	  -DCMAKE_C_FLAGS="$(SOAK_FLAGS)" -DCMAKE_CXX_FLAGS="$(SOAK_FLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
	cmake --build $(SOAK_BUILD) --target test_game zenbox-data -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=0 ./$(SOAK_BUILD)/zenbox-data generate $(SOAK_BUILD)/data
	cd $(SOAK_BUILD)/tests/game && ZB_DATA=$(CURDIR)/$(SOAK_BUILD)/data ZB_SOAK_MINUTES=$(SOAK_MINUTES) \
	  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/game/soak_lsan.supp \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ./test_game --gtest_also_run_disabled_tests --gtest_filter='*Soak*DemoAtLevel*'

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
