# The two everyday commands: `make run` and `make test`. Both install what is
# missing on a Debian 12 machine, configure, build with two jobs, then act.
# `make windows` and `make windows-test` do the same for the Windows build.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = FuzzOpen FuzzMerge FuzzSplit FuzzOutline FuzzPublicKey
WINDOWS_BUILD ?= build-windows

.PHONY: all deps configure build run test bench sanitize fuzz clean windows windows-deps windows-test package package-test

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
	@bash scripts/install-deps.sh bench
	@bash bench/run.sh $(BUILD)

# The Debian packages quellan-pdf-merger, libcolligo1 and libcolligo-dev
# (cmake/Packaging.cmake), into $(BUILD). $(BUILD) is configured for /usr and
# keeps that: `cmake --install` then lays out for /usr (see the README).
package: deps
	@bash scripts/install-deps.sh package
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_INSTALL_PREFIX=/usr -DQUELLAN_SYSTEM_INSTALL=ON > /dev/null
	@cmake --build $(BUILD) -j$(JOBS)
	@rm -f $(BUILD)/*.deb
	@cd $(BUILD) && cpack -G DEB > cpack.log 2>&1 || { cat cpack.log; exit 1; }
	@ls $(BUILD)/*.deb

# lintian, then install, use, purge in a throwaway Debian 12 root (needs root).
package-test: package
	@bash scripts/package-test.sh $(BUILD)

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


# Windows: cross-built with mingw-w64 into $(WINDOWS_BUILD)/x86 (the whole
# system) and $(WINDOWS_BUILD)/x64 (the engine kit and colligo.exe), one zip
# each in $(WINDOWS_BUILD), and the x86 system's NSIS installer beside them;
# tested under Wine against this Linux build.
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
	@cmake --build $(WINDOWS_BUILD)/x86 --target windows-installer # (after the zip)
	@$(WINDOWS_CMAKE) -S . -B $(WINDOWS_BUILD)/x64 -C $(WINDOWS_BUILD)/x64-deps.cmake \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DQUELLAN_ENGINE_ONLY=ON > /dev/null
	@cmake --build $(WINDOWS_BUILD)/x64 -j$(JOBS)
	@cmake --build $(WINDOWS_BUILD)/x64 --target windows-zip
	@cp $(WINDOWS_BUILD)/x86/*.zip $(WINDOWS_BUILD)/x86/*-setup.exe $(WINDOWS_BUILD)/x64/*.zip $(WINDOWS_BUILD)/

windows-test: build windows
	@cmake --build $(BUILD) --target wine_test -j$(JOBS)
	@QUELLAN_WINDOWS_BUILDS=$(abspath $(WINDOWS_BUILD)) QUELLAN_SCREENSHOT=$(abspath $(WINDOWS_BUILD))/korvel-under-wine.png \
	  $(BUILD)/bin/wine_test


clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)
