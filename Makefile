# The two everyday commands: `make run` and `make test`. Both install what is
# missing on a Debian 12 machine, configure, build with two jobs, then act.
# `make windows` and `make windows-test` do the same for the Windows build.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

WINDOWS_BUILD ?= build-windows

.PHONY: all deps configure build run test bench clean windows windows-deps windows-test

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

# Windows: cross-built with mingw-w64 into $(WINDOWS_BUILD)/x86 (the whole
# system) and $(WINDOWS_BUILD)/x64 (the engine kit and colligo.exe), one zip
# each in $(WINDOWS_BUILD); tested under Wine against this Linux build.
WINDOWS_CMAKE = cmake -G Ninja -DCMAKE_BUILD_TYPE=Release

windows-deps:
	@bash scripts/install-windows-deps.sh
	@bash scripts/build-windows-deps.sh i686 --cmake-cache $(WINDOWS_BUILD)/x86-deps.cmake
	@bash scripts/build-windows-deps.sh x86_64 --engine-only --cmake-cache $(WINDOWS_BUILD)/x64-deps.cmake

windows: configure windows-deps
	@cmake --build $(BUILD) --target MakeKorvelIcon -j$(JOBS) > /dev/null
	@$(WINDOWS_CMAKE) -S . -B $(WINDOWS_BUILD)/x86 -C $(WINDOWS_BUILD)/x86-deps.cmake \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DQUELLAN_HOST_TOOLS=$(abspath $(BUILD))/launcher > /dev/null
	@cmake --build $(WINDOWS_BUILD)/x86 -j$(JOBS)
	@cmake --build $(WINDOWS_BUILD)/x86 --target windows-zip
	@$(WINDOWS_CMAKE) -S . -B $(WINDOWS_BUILD)/x64 -C $(WINDOWS_BUILD)/x64-deps.cmake \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DQUELLAN_ENGINE_ONLY=ON > /dev/null
	@cmake --build $(WINDOWS_BUILD)/x64 -j$(JOBS)
	@cmake --build $(WINDOWS_BUILD)/x64 --target windows-zip
	@cp $(WINDOWS_BUILD)/x86/*.zip $(WINDOWS_BUILD)/x64/*.zip $(WINDOWS_BUILD)/

windows-test: build windows
	@cmake --build $(BUILD) --target wine_test -j$(JOBS)
	@QUELLAN_WINDOWS_BUILDS=$(abspath $(WINDOWS_BUILD)) QUELLAN_SCREENSHOT=$(abspath $(WINDOWS_BUILD))/korvel-under-wine.png \
	  $(BUILD)/bin/wine_test

clean:
	rm -rf $(BUILD) $(WINDOWS_BUILD)
