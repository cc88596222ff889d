# Two commands matter: `make demo` (the program on the bundled example) and `make test`.
JOBS ?= 2
BUILD ?= build
CMAKE ?= cmake

.PHONY: all setup demo test bench release asan clean format

all: release

setup:
	@bash scripts/setup

release: setup
	$(CMAKE) -S . -B $(BUILD)/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVO_TESTS=OFF -DTARVO_BENCH=ON
	$(CMAKE) --build $(BUILD)/release -j $(JOBS)

asan: setup
	$(CMAKE) -S . -B $(BUILD)/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DTARVO_SANITIZE=ON
	$(CMAKE) --build $(BUILD)/asan -j $(JOBS)

test: asan
	cd $(BUILD)/asan && ctest --output-on-failure -j $(JOBS)

demo: release
	@bash examples/run-demo $(BUILD)/release $(BUILD)/demo

bench: release
	@bash bench/run $(BUILD)/release

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
