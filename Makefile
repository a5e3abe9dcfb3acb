# The two commands: `make run` and `make test`. Both install what a fresh
# Debian/Ubuntu machine lacks, then configure and build build/.

BUILD    ?= build
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := cmake make g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            libbenchmark-dev xvfb xauth x11-utils xdotool imagemagick fonts-dejavu-core \
            clang libclang-rt-dev binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix \
            desktop-file-utils wine64 googletest

CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLANES_SANITIZE=ON -DVORLANES_TESTS=ON

# The Qt-free core and its tests for 64-bit Windows, run under Wine by ctest.
WINBUILD      ?= $(BUILD)/windows
WINDOWS_FLAGS := -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
                 -DVORLANES_GUI=OFF -DVORLANES_BENCH=OFF -DVORLANES_GTEST_SOURCE=/usr/src/googletest

.PHONY: run test build windows deps fuzz format clean

run: build
	@./tools/run.sh $(BUILD)

test: build windows
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	cd $(WINBUILD) && ctest --output-on-failure -j $(JOBS) -L windows

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

windows: deps $(WINBUILD)/CMakeCache.txt
	cmake --build $(WINBUILD) -j $(JOBS)

$(WINBUILD)/CMakeCache.txt:
	cmake -S . -B $(WINBUILD) $(WINDOWS_FLAGS)

deps:
	@./tools/install-deps.sh $(PACKAGES)

fuzz: deps
	@./tools/fuzz.sh $(or $(SECONDS_TO_FUZZ),60)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
