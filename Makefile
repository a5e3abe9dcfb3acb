# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# make run     optimised build in build-release/, then the program
# make test    sanitizer build in build/, then every test
# make install PREFIX=...   installs the optimised build, never the sanitizer one
# Each installs the Debian packages its own part needs, and says which first.

BUILD    ?= build
RELEASE  ?= build-release
WINBUILD ?= $(BUILD)/windows
PREFIX   ?= /usr/local
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)

# Building and running the program (the X tools run it on a virtual display).
RUN_PACKAGES  := cmake make g++ pkg-config qt6-base-dev libgl-dev \
                 xvfb xauth x11-utils xdotool imagemagick icewm fonts-dejavu-core
# What the tests add: GoogleTest, the validators, AT-SPI and its Python
# binding to read the lists as a screen reader does, and the Windows checks
# (MinGW to compile the Windows program, wine64 and its fonts to run it, zip
# and NSIS for its packages).
TEST_PACKAGES := libgtest-dev libgmock-dev desktop-file-utils appstream \
                 dbus at-spi2-core python3-gi gir1.2-atspi-2.0 \
                 binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix wine64 googletest \
                 fonts-wine zip nsis
# What make fuzz adds: clang and its libFuzzer runtime.
FUZZ_PACKAGES := clang libclang-rt-dev
BENCH_PACKAGES := libbenchmark-dev
DEB_PACKAGES  := dpkg-dev file lintian

DEV_FLAGS     := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLANES_SANITIZE=ON -DVORLANES_TESTS=ON \
                 -DVORLANES_RELEASE_DIR=$(abspath $(RELEASE))
RELEASE_FLAGS := -DCMAKE_BUILD_TYPE=Release -DVORLANES_SANITIZE=OFF -DVORLANES_TESTS=OFF \
                 -DVORLANES_BENCH=OFF
# vorlanes.exe, its packages, the core and the tests for 64-bit Windows, run
# under Wine by ctest.
WINDOWS_FLAGS := -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
                 -DVORLANES_GUI=OFF -DVORLANES_BENCH=OFF -DVORLANES_GTEST_SOURCE=/usr/src/googletest

.PHONY: run test install uninstall deb bench fuzz format clean \
        release dev windows windows-package deps-run deps-test deps-fuzz deps-bench deps-deb

run: release
	@./tools/run.sh $(RELEASE)

# The release build too: a test checks that what gets installed has no sanitizer.
# The Wine servers the tests started are ended either way.
test: dev release windows
	@status=0; \
	(cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)) || status=$$?; \
	if [ $$status -eq 0 ]; then \
	    (cd $(WINBUILD) && ctest --output-on-failure -j $(JOBS) -L windows) || status=$$?; \
	fi; \
	./tools/stop-wine.sh $(BUILD) $(WINBUILD); \
	exit $$status

# The list of what make install laid out is kept apart: every other install of
# the build (the tests install it into scratch folders) rewrites install_manifest.txt.
install: release
	cmake --install $(RELEASE) --prefix $(PREFIX)
	cp $(RELEASE)/install_manifest.txt $(RELEASE)/installed_files.txt

uninstall:
	@test -f $(RELEASE)/installed_files.txt || { echo "Nothing installed from $(RELEASE)/"; exit 1; }
	xargs -d '\n' rm -fv < $(RELEASE)/installed_files.txt
	rm $(RELEASE)/installed_files.txt

deb: release deps-deb
	cd $(RELEASE) && rm -f vorlanes_*.deb && cpack -G DEB && lintian vorlanes_*.deb

release: deps-run $(RELEASE)/CMakeCache.txt
	cmake --build $(RELEASE) -j $(JOBS)

dev: deps-test $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

bench: deps-bench $(BUILD)/CMakeCache.txt
	cmake -S . -B $(BUILD) -DVORLANES_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)

$(RELEASE)/CMakeCache.txt:
	cmake -S . -B $(RELEASE) $(RELEASE_FLAGS)

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(DEV_FLAGS)

windows: deps-test $(WINBUILD)/CMakeCache.txt
	cmake --build $(WINBUILD) -j $(JOBS)

# The portable zip and the installer: $(WINBUILD)/vorlanes-VERSION-win64.zip
# and $(WINBUILD)/vorlanes-VERSION-setup.exe.
windows-package: windows
	cmake --build $(WINBUILD) --target windows_package
	@ls -l $(WINBUILD)/vorlanes-*-win64.zip $(WINBUILD)/vorlanes-*-setup.exe

$(WINBUILD)/CMakeCache.txt:
	cmake -S . -B $(WINBUILD) $(WINDOWS_FLAGS)

deps-run:
	@./tools/install-deps.sh "building and running" $(RUN_PACKAGES)
deps-test: deps-run
	@./tools/install-deps.sh "testing" $(TEST_PACKAGES)
deps-fuzz: deps-test
	@./tools/install-deps.sh "fuzzing" $(FUZZ_PACKAGES)
deps-bench: deps-test
	@./tools/install-deps.sh "benchmarks" $(BENCH_PACKAGES)
deps-deb: deps-run
	@./tools/install-deps.sh "the Debian package" $(DEB_PACKAGES)

fuzz: deps-fuzz
	@./tools/fuzz.sh $(or $(SECONDS_TO_FUZZ),60)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(RELEASE)
