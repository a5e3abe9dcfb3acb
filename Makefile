# The two commands: `make run` and `make test`. Both install what a fresh
# Debian/Ubuntu machine lacks, then configure and build build/.

BUILD    ?= build
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := cmake make g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            libbenchmark-dev xvfb xauth x11-utils xdotool imagemagick fonts-dejavu-core \
            clang libclang-rt-dev binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix \
            desktop-file-utils

CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLANES_SANITIZE=ON -DVORLANES_TESTS=ON

.PHONY: run test build deps fuzz format clean

run: build
	@./tools/run.sh $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

deps:
	@./tools/install-deps.sh $(PACKAGES)

fuzz: deps
	@./tools/fuzz.sh $(or $(SECONDS_TO_FUZZ),60)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
