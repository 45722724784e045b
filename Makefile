# The two set-up commands (make run, make test) and the rest of the workflow.
# Each target installs what is missing first, then drives the CMake presets.
IN ?= README.md
OUT ?= build/$(notdir $(IN)).qz
RELEASE_BIN := build/release/bin
TOOLS_BIN := build/tools/bin

.PHONY: deps run test asan tsan clang valgrind bench fuzz mutate clean

deps:
	@bash scripts/install-deps.sh

# the library and the two tools, nothing that tests or benchmarks need
run: deps
	cmake --preset tools >/dev/null
	cmake --build --preset tools --target QzCompress QzDecompress
	@mkdir -p $(dir $(OUT))
	$(TOOLS_BIN)/QzCompress "$(IN)" "$(OUT)"
	$(TOOLS_BIN)/QzDecompress "$(OUT)" "$(OUT).out"
	@cmp "$(IN)" "$(OUT).out" && echo "round trip matched: $(IN) -> $(OUT) ($$(stat -c %s "$(IN)") -> $$(stat -c %s "$(OUT)") bytes) -> $(OUT).out"

test: deps
	cmake --preset dev >/dev/null
	cmake --build --preset dev
	ctest --preset dev

asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan

tsan: deps
	cmake --preset tsan >/dev/null
	cmake --build --preset tsan
	ctest --preset tsan

clang: deps
	cmake --preset clang >/dev/null
	cmake --build --preset clang
	ctest --preset clang

# both tools under valgrind's memcheck, built optimised as users get them
valgrind: deps
	cmake --preset release >/dev/null
	cmake --build --preset release --target QzCompress QzDecompress
	ctest --preset valgrind

bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release
	@set -e; for b in $(RELEASE_BIN)/*Bench; do [ -x "$$b" ] && "$$b"; done; true
	bash bench/compress_vs_xz.sh $(RELEASE_BIN)
	bash bench/lzma_threads.sh $(RELEASE_BIN)

# builds the libFuzzer targets; with SECONDS=N also runs each for N seconds
fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	@if [ -n "$(SECONDS)" ]; then bash scripts/run-fuzzers.sh build/fuzz/bin $(SECONDS); fi

# Mutation testing (slow, never part of test or CI): draws the list only if
# scripts/mutants.tsv is missing; options pass through MUTATE_ARGS.
MUTATE_ARGS ?=
MUTATE_OUT ?= build/mutate/results.json
mutate: deps
	@test -f scripts/mutants.tsv || python3 scripts/mutate.py generate
	python3 scripts/mutate.py run --out $(MUTATE_OUT) $(MUTATE_ARGS)
	python3 scripts/mutate.py report $(MUTATE_OUT)

clean:
	rm -rf build
