# The commands people type. CMake (with the presets in CMakePresets.json) does the real work.
#   make run     build and start the screen saver full screen
#   make test    install what is missing, build, run every test
#   make dist    build the ready-to-run program folder build/linux/dist/
#   make win     cross-build the Windows programs: build/win32/dist/ and build/win64/dist/
#   make install PREFIX=...   install the program folder, the link, desktop entry and icons
#                (PREFIX defaults to /usr/local)
#   make package the packages in build/packages/: the Debian package, a zip of each Windows
#                program folder and the per-user Windows installer
#   make screenshots  take the README's pictures of the real programs (docs/)
#   make bench   run the benchmarks and write docs/performance.md from them
#   make assets  regenerate the shipped pictures, cursors and sounds (and the contact sheet,
#                which needs ImageMagick from the test packages)
#   make fuzz    run every libFuzzer target for FUZZ_SECONDS each (30 unless set)
#   make soak    run the real saver under Xvfb with a click every 100 ms for SOAK_SECONDS
#                (60 unless set) and fail on memory growth; the curve lands in build/soak.csv
#   make crash-test  kill a settings writer CRASH_KILLS times (1000) and check the file

BUILD_PACKAGES := build-essential cmake ninja-build pkg-config libsdl2-dev libsdl2-mixer-dev \
                  libfltk1.3-dev libx11-dev libxext-dev googletest libgtest-dev libbenchmark-dev libpixman-1-dev \
                  fonts-liberation2
TEST_PACKAGES  := xvfb xdotool x11-utils x11-apps x11-xserver-utils imagemagick util-linux iproute2 \
                  openbox fluxbox lintian xscreensaver xautolock clang-14 libclang-rt-14-dev
BENCH_PACKAGES := strace procps
# The Windows builds: MinGW-w64 (-posix, for the C++ threads GoogleTest needs), GoogleTest's
# sources, and Wine to run their tests (wine32 from the i386 architecture for the 32-bit one);
# NSIS and zip for the packages.
WIN_PACKAGES   := g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest \
                  wine wine64 wine32:i386 nsis zip
WIN_PRESETS    := win32 win64

VERSION := $(shell grep -m1 '^project' CMakeLists.txt | grep -o 'VERSION [0-9.]*' | cut -d' ' -f2)

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
BUILD_DIR := build/linux
DIST := $(BUILD_DIR)/dist

FUZZ_SECONDS ?= 30
SOAK_SECONDS ?= 60
CRASH_KILLS ?= 1000
FUZZ_DIR := build/fuzz

.PHONY: all deps test-deps bench-deps win-deps configure build dist win run install package \
        package-deb screenshots test test-asan fuzz soak crash-test bench assets format clean

all: dist

# Installs only what is missing, so a machine that has everything skips apt at once.
deps:
	@missing="$$(for p in $(BUILD_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done)"; \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

test-deps: deps
	@missing="$$(for p in $(TEST_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done)"; \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

win-deps:
	@missing="$$(for p in $(WIN_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done)"; \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  dpkg --print-foreign-architectures | grep -qx i386 || $(SUDO) dpkg --add-architecture i386; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	@[ -f $(BUILD_DIR)/build.ninja ] || cmake --preset linux

build: configure
	cmake --build --preset linux

dist: build

win: win-deps
	@for p in $(WIN_PRESETS); do \
	  [ -f build/$$p/build.ninja ] || cmake --preset $$p || exit 1; \
	  cmake --build --preset $$p || exit 1; \
	done

run: dist
	cd $(DIST) && ./marrowtide-gobble-run /s

PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix "$(PREFIX)" --strip

# Every package of every platform lands in build/packages/.
PACKAGES := build/packages
package: package-deb win
	packaging/windows/make-packages.sh . $(VERSION)

package-deb: build
	rm -rf $(BUILD_DIR)/cpack
	cd $(BUILD_DIR) && cpack -G DEB -B "$(CURDIR)/$(BUILD_DIR)/cpack"
	mkdir -p $(PACKAGES)
	cp $(BUILD_DIR)/cpack/*.deb $(PACKAGES)/

screenshots: test-deps build
	tools/screenshots.sh "$(CURDIR)/$(DIST)" "$(CURDIR)/docs"

# Every level of tests on both platforms, then each fuzz target and the soak test for
# their CI durations.
test: test-deps configure win
	cmake --build --preset linux
	ctest --preset linux -j2
	@for p in $(WIN_PRESETS); do ctest --preset $$p -j2 || exit 1; done
	$(MAKE) --no-print-directory fuzz soak

# New inputs a run finds go to a scratch corpus in the build tree; the seeds in
# tests/fuzz/corpus/ change only when a finding is added there by hand.
fuzz: test-deps
	@[ -f $(FUZZ_DIR)/build.ninja ] || cmake --preset fuzz
	cmake --build --preset fuzz
	@set -e; for target in $$(ls tests/fuzz/corpus); do \
	  mkdir -p $(FUZZ_DIR)/found/$$target $(FUZZ_DIR)/artifacts; \
	  echo "fuzz: $$target for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_DIR)/tests/fuzz/$$target -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/artifacts/$$target- \
	    $(FUZZ_DIR)/found/$$target tests/fuzz/corpus/$$target 2>$(FUZZ_DIR)/$$target.log || \
	    { tail -n 40 $(FUZZ_DIR)/$$target.log; exit 1; }; \
	  grep -E '^stat::number_of_executed_units' $(FUZZ_DIR)/$$target.log; \
	done

soak: test-deps configure
	cmake --build --preset linux
	tests/soak/soak.sh $(DIST) $(SOAK_SECONDS) build/soak.csv

crash-test: test-deps configure
	cmake --build --preset linux --target unit_platform
	MT_PROFILE_KILLS=$(CRASH_KILLS) $(BUILD_DIR)/tests/unit/platform/unit_platform \
	  --gtest_filter='ProfileKill.*'

test-asan: test-deps
	@[ -f build/asan/build.ninja ] || cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan -j2

bench-deps: test-deps
	@missing="$$(for p in $(BENCH_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done)"; \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

# Runs every benchmark and writes docs/performance.md (and the README's summary line).
bench: bench-deps build
	tools/run-benchmarks.sh $(BUILD_DIR)

assets: test-deps configure
	cmake --build --preset linux --target assets

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
