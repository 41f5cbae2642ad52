# The two everyday commands: `make run` and `make test`. Both install what is
# missing on a Debian 12 machine, configure, build with two jobs, then act.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = FuzzOpen FuzzMerge FuzzSplit FuzzOutline FuzzPublicKey

.PHONY: all deps configure build run test bench sanitize fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

bench: build
	@bash bench/run.sh $(BUILD)

# The engine, the command line and their tests with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails the run.
sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DQUELLAN_ENGINE_ONLY=ON -DQUELLAN_SANITIZE=ON > /dev/null
	@cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	@cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j$(JOBS)

# Each libFuzzer target runs for FUZZ_SECONDS on its corpus (seeded from the
# tests' fixtures, grown under $(FUZZ_BUILD)/corpus); a crash fails the run and
# leaves its input in $(FUZZ_BUILD)/findings for a regression fixture.
fuzz:
	@bash scripts/install-deps.sh fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DQUELLAN_FUZZ=ON > /dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS)
	@bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
