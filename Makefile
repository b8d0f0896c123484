# make test: install what is missing, build, run every test (plain, installed-package, sanitizer and fuzz-smoke
# builds).
# make demo: install what is missing, build and start the demo host.
# make fuzz: every fuzz target for FUZZ_SECONDS each (default 600; FUZZ_TARGETS picks some), with a
# table of executions, coverage and findings at the end.
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# Every suite runs again under the address and undefined-behaviour sanitizers; the desktop run drives the
# sanitized demo.
SANITIZED_TESTS = framework_tests formconv framework_visual_tests designer_tests formwright_tests \
	inspector_tests reliability_tests demo_tests

FUZZ_SECONDS ?= 600
FUZZ_TARGETS ?=

.PHONY: setup build test test-plain test-package test-sanitize test-fuzz build-fuzz fuzz package docs bench demo \
	format clean

setup:
	@bash scripts/setup.sh

build: setup
	cmake -S . -B build -G Ninja $(CMAKE_FLAGS)
	cmake --build build -j $(JOBS)

# A test that cannot run here (the desktop run without an X server) says why in a line starting "SKIPPED:".
test-plain: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j $(JOBS)
	@grep -h '^SKIPPED:' build/Testing/Temporary/LastTest.log || true

# Installs the libraries (into a prefix, and as the Debian package) and builds and runs the embedding example
# against each install.
test-package: build
	bash scripts/test_package.sh build

package: build
	cd build && cpack -G DEB

test-sanitize: setup
	cmake -S . -B build-asan -G Ninja -DFW_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build build-asan -j $(JOBS) --target $(SANITIZED_TESTS) formwright_demo
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
		ctest --test-dir build-asan --output-on-failure -j $(JOBS)
	@grep -h '^SKIPPED:' build-asan/Testing/Temporary/LastTest.log || true

build-fuzz: setup
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DFW_FUZZ=ON -DFW_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j $(JOBS)

test-fuzz: build-fuzz
	ctest --test-dir build-fuzz --output-on-failure -L fuzz

fuzz: build-fuzz
	bash scripts/fuzz.sh build-fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

test: test-plain test-package test-sanitize test-fuzz

demo: build
	./build/demo/formwright_demo

# The API reference of the public headers, build/docs/html/index.html (needs doxygen; warnings fail it).
docs:
	@command -v doxygen >/dev/null || { echo "make docs needs doxygen: apt-get install doxygen"; exit 1; }
	mkdir -p build/docs
	FW_VERSION=$$(sed -n 's/^project(Formwright VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt) \
		FW_DOCS_OUTPUT=build/docs doxygen docs/api/Doxyfile

# Each program prints one table per area, with its anchors measured in the same run.
bench: build
	QT_QPA_PLATFORM=offscreen ./build/bench/bench_form_text
	QT_QPA_PLATFORM=offscreen ./build/bench/bench_form_load
	QT_QPA_PLATFORM=offscreen ./build/bench/bench_designer
	QT_QPA_PLATFORM=offscreen ./build/bench/bench_undo
	QT_QPA_PLATFORM=offscreen ./build/bench/bench_crafted_input

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-fuzz
