# Two commands matter: `make demo` (the program on the bundled example) and `make test`.
JOBS ?= 2
BUILD ?= build
CMAKE ?= cmake
# A compiler cache, when the machine has one, makes rebuilds of other checkouts cheap.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache,)

.PHONY: all setup setup-bench setup-fuzz demo test bench fuzz release asan clean format install

all: release

setup:
	@bash scripts/setup

setup-bench:
	@bash scripts/setup bench

setup-fuzz:
	@bash scripts/setup fuzz

release: setup
	$(CMAKE) -S . -B $(BUILD)/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVO_TESTS=OFF -DTARVO_BENCH=ON $(LAUNCHER)
	$(CMAKE) --build $(BUILD)/release -j $(JOBS)

asan: setup
	$(CMAKE) -S . -B $(BUILD)/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DTARVO_SANITIZE=ON -DTARVO_WERROR=ON $(LAUNCHER)
	$(CMAKE) --build $(BUILD)/asan -j $(JOBS)

test: asan
	cd $(BUILD)/asan && ctest --output-on-failure -j $(JOBS)

PREFIX ?= /usr/local
install: release
	$(CMAKE) --install $(BUILD)/release --prefix $(PREFIX)

demo: release
	@bash examples/run-demo $(BUILD)/release $(BUILD)/demo

bench: setup-bench release
	@bash bench/run $(BUILD)/release

# Coverage-guided fuzzing: a clang build of the readers with libFuzzer, AddressSanitizer and
# UBSan, each target run FUZZ_SECONDS from the seed corpus of fuzz/corpus (fuzz/run).
FUZZ_SECONDS ?= 60
fuzz: setup setup-fuzz
	$(CMAKE) -S . -B $(BUILD)/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" -DCMAKE_CXX_COMPILER=clang++-14 -DTARVO_FUZZ=ON $(LAUNCHER)
	$(CMAKE) --build $(BUILD)/fuzz -j $(JOBS)
	@bash fuzz/run $(BUILD)/fuzz $(FUZZ_SECONDS)

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
