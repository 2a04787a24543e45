# make run: set up, build and start the game.  make test: set up, build, every test.
# make fuzz: build the fuzz targets and run each for FUZZ_SECONDS.
# make contact-sheets: build, then draw every picture set of the game's packs
# into build/$(PRESET)/contact-sheets/ for review.
JOBS ?= $(shell nproc)
PRESET ?= default
FUZZ_SECONDS ?= 30

.PHONY: all setup build run test test-asan test-tsan bench fuzz contact-sheets clean

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

fuzz: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@FUZZ_SECONDS=$(FUZZ_SECONDS) bash fuzz/run.sh build/fuzz

contact-sheets: build
	@cmake --build --preset $(PRESET) --target vx_contact_sheets

clean:
	rm -rf build
