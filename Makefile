# make run   – install what is missing, build and start Beatloft
# make test  – install, build and run every test (no display or sound card needed)
# make bench – build and run the benchmarks in bench/
# make install – build and install into PREFIX (/usr/local): bin/, lib/beatloft/, share/
# make package – build the Debian package $(BUILD)/beatloft_<version>_amd64.deb
# make fuzz  – build the fuzz targets (clang); make fuzz-short runs each briefly
# make asan  – build and test with address and undefined-behaviour sanitizers
# make format – format every source (make test checks the formatting first)

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       := $(shell nproc)
TEST_ENV   := QT_QPA_PLATFORM=offscreen

PREFIX     ?= /usr/local

.PHONY: deps configure build test run bench install package asan fuzz fuzz-short clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS) -- --no-print-directory

test: format-check build
	cd $(BUILD) && $(TEST_ENV) ctest --output-on-failure -j$(JOBS)
	@$(MAKE) --no-print-directory fuzz-short

# Every fuzz target for a few seconds over the seeds in tests/fuzz/corpus.
fuzz-short: fuzz
	cd build-fuzz && ctest --output-on-failure -R '_short$$'

run: build
	$(BUILD)/bin/beatloft

bench: build
	@cmake --build $(BUILD) -j$(JOBS) --target benchmarks -- --no-print-directory
	@for b in $(BUILD)/bench/*; do [ -f "$$b" ] && [ -x "$$b" ] && $(TEST_ENV) "$$b"; done; true

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	cd $(BUILD) && cpack

asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DBEATLOFT_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS) -- --no-print-directory
	cd $(ASAN_BUILD) && $(TEST_ENV) \
	  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j$(JOBS)

fuzz: deps
	@cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DBEATLOFT_FUZZ=ON \
	  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build build-fuzz -j$(JOBS) --target fuzzers

# Every C++ source of the tree, formatted by .clang-format.
SOURCES = $(shell find app platform tapcell midicontrols tests bench examples packaging \
            -name '*.cpp' -o -name '*.h')

format-check: deps
	@clang-format --dry-run -Werror $(SOURCES)

format:
	@clang-format -i $(SOURCES)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
