# ZAVOConfig: the two commands that do everything on a fresh Debian machine.
#   make run    build everything and start the tool
#   make test   build everything and run every test
#   make dist   build the installer and the portable zip into dist/
SHELL := /bin/bash
BUILD  ?= build
NATIVE := $(BUILD)/native
WIN    := $(BUILD)/win
JOBS   ?= $(shell nproc)
SKIN   ?= en
SERVICE ?= devicesim
export WINEPREFIX ?= $(abspath $(WIN))/wineprefix
# Compiler cache entries keyed by paths relative to the tree, so clones of the
# project share them.
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1

CMAKE_NATIVE := cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAVO_SKIN=$(SKIN)
CMAKE_WIN    := cmake -S . -B $(WIN) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZAVO_SKIN=$(SKIN) \
                -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake

.PHONY: all deps native win test test-native test-win run bench fuzz sanitize reliability dist clean

all: native win

deps:
	@tools/install-deps.sh

native: deps
	@$(CMAKE_NATIVE) >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

win: deps
	@$(CMAKE_WIN) >/dev/null
	cmake --build $(WIN) -j $(JOBS)

test: native win
	$(MAKE) --no-print-directory test-native test-win

test-native:
	ctest --test-dir $(NATIVE) --output-on-failure -j $(JOBS)

# Windows tests share one Xvfb; end-to-end tests that drive the real mouse run
# one at a time (label "serial").
test-win:
	tools/with-display.sh bash -c 'ctest --test-dir $(WIN) --output-on-failure -LE serial -j $(JOBS) && \
	  ctest --test-dir $(WIN) --output-on-failure -L serial --no-tests=ignore'

run: native win
	SERVICE=$(SERVICE) tools/run.sh $(WIN)/bin $(NATIVE)/bin

# dist/ZAVOConfig-<version>-setup.exe and dist/ZAVOConfig-<version>-portable.zip
# (the version is project() in CMakeLists.txt).
dist: win
	cmake --build $(WIN) --target dist

bench: native win
	tools/run-benchmarks.sh $(NATIVE)/bin $(WIN)/bin

fuzz: deps
	@cmake -S . -B $(BUILD)/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DZAVO_FUZZ=ON -DZAVO_SANITIZE=ON >/dev/null
	cmake --build $(BUILD)/fuzz -j $(JOBS)
	tools/run-fuzzers.sh $(BUILD)/fuzz/bin fuzz/corpus $${FUZZ_SECONDS:-60}

# The long kill runs (short ones are part of the tests): KILLS kills of the
# settings engine while it saves, then WINE_KILLS kills of ZAVOConfig.exe's Wine
# process while it saves; figures in docs/reliability.md.
reliability: native win
	$(NATIVE)/bin/kill_during_save $${KILLS:-1000}
	tools/with-display.sh /usr/bin/python3 tests/e2e/kills/kill_tool_wine.py $(WIN)/bin $${WINE_KILLS:-200}

sanitize: deps
	@cmake -S . -B $(BUILD)/asan -G Ninja -DZAVO_SANITIZE=ON >/dev/null
	cmake --build $(BUILD)/asan -j $(JOBS)
	ctest --test-dir $(BUILD)/asan --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) out dist
