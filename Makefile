# The two commands of the README, and a few conveniences around the CMake presets.
PRESET ?= default

.PHONY: test deps configure build bench asan tsan clang clean

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

asan:
	$(MAKE) test PRESET=asan

tsan:
	$(MAKE) test PRESET=tsan

clang:
	$(MAKE) test PRESET=clang

clean:
	rm -rf build
