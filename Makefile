# Entry points: `make test`, `make demo`, `make dist`, `make release`, `make bench`,
# `make bench-compare`, `make fresh-check`.
BUILD     ?= build
SAN_BUILD ?= build-sanitize
WIN_BUILD ?= $(BUILD)-mingw
ARM_BUILD ?= $(BUILD)-arm64
JOBS      ?= $(shell nproc)

.PHONY: deps configure dist release test demo bench bench-compare fresh-check format format-check clean

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

# The shipped .mexw64 plug-ins are cross-built with mingw-w64 in a second tree. `make test`
# also cross-builds the logic for 64-bit ARM and runs its unit tests under qemu-user.
dist: configure
	cmake --build $(BUILD) -j $(JOBS)
	cmake -S . -B $(WIN_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_BENCHMARKS=OFF \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-toolchain.cmake
	cmake --build $(WIN_BUILD) -j $(JOBS)

# One archive per host in dist/release, named with the version, and their SHA256SUMS.
release: dist
	packaging/release/make_release.sh dist

test: format-check release
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	ctest --test-dir $(WIN_BUILD) --output-on-failure -j $(JOBS)
	cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON -DBUILD_PLUGINS=OFF
	cmake --build $(SAN_BUILD) -j $(JOBS) --target unit_tests
	ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS) -L unit
	cmake -S . -B $(ARM_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_PLUGINS=OFF -DBUILD_BENCHMARKS=OFF \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/aarch64-linux-gnu-toolchain.cmake
	cmake --build $(ARM_BUILD) -j $(JOBS)
	ctest --test-dir $(ARM_BUILD) --output-on-failure -j $(JOBS)

# --no-history: see OCTAVE_RUN in CMakeLists.txt.
demo: dist
	octave-cli --no-gui --norc --quiet --no-history scripts/demo.m

bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	scripts/run-benchmarks.sh $(BUILD)

# The benchmark programs of commit BASE against the current ones, in alternating rounds:
# make bench-compare BASE=<rev> [FILTER=<regex>] [ROUNDS=<n>]
ROUNDS ?= 5
FILTER ?= .
bench-compare: configure
	@test -n "$(BASE)" || { echo "usage: make bench-compare BASE=<rev> [FILTER=<regex>]" >&2; exit 2; }
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	scripts/bench_compare.py --build $(BUILD) --base '$(BASE)' --filter '$(FILTER)' \
	  --rounds $(ROUNDS)

# make demo, then make test, as root in a fresh minimal Debian root with the committed tree.
fresh-check:
	scripts/fresh-check.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Fails, naming the files, where clang-format would change the layout.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(WIN_BUILD) $(ARM_BUILD) dist
