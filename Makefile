# make run: set up, build and start the game.  make test: set up, build, every test.
JOBS ?= $(shell nproc)
PRESET ?= default

.PHONY: all setup build run test test-asan test-tsan bench clean

all: build

setup:
	@bash scripts/setup.sh

build: setup
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	@./build/$(PRESET)/game/vexalon

test: build
	@ctest --preset $(PRESET) -j $(JOBS)

test-asan:
	@$(MAKE) --no-print-directory test PRESET=asan

test-tsan:
	@$(MAKE) --no-print-directory test PRESET=tsan

bench: build
	@./build/$(PRESET)/bench/vx_bench

clean:
	rm -rf build
