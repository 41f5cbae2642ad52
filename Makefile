# The two everyday commands: `make run` and `make test`. Both install what is
# missing on a Debian 12 machine, configure, build with two jobs, then act.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench clean

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

clean:
	rm -rf $(BUILD)
