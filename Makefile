# The two commands of the README, and a few conveniences around the CMake presets.
PRESET ?= default

.PHONY: demo test deps configure build bench fuzz asan tsan clang clean

# The main job: the home-screen host plays the road of one customisation.
demo: configure
	cmake --build --preset $(PRESET) --target SpringBoard
	build/$(PRESET)/bin/SpringBoard --echo scenarios/demo.scenario

test: build
	ctest --preset $(PRESET)

deps:
	@./scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	cmake --build --preset $(PRESET)

bench: deps
	@cmake --preset default >/dev/null
	cmake --build --preset default
	./bench/run-all build/default

# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS (default 60) seconds.
fuzz: deps
	@cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	./scripts/run-fuzzers

asan:
	$(MAKE) test PRESET=asan

tsan:
	$(MAKE) test PRESET=tsan

clang:
	$(MAKE) test PRESET=clang

clean:
	rm -rf build
