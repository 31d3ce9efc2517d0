# The two commands of the README, and a few conveniences around the CMake presets.
PRESET ?= default

.PHONY: demo test phone deps configure build bench fuzz asan tsan clang clean

# The main job: the home-screen host plays the road of one customisation, drawing the screen
# after every command that changed it and the timeline at the end into one folder.
DEMO_PICTURES ?= build/$(PRESET)/demo-pictures
demo: configure
	cmake --build --preset $(PRESET) --target SpringBoard
	rm -rf $(DEMO_PICTURES)
	{ cat scenarios/demo.scenario; echo "plot $(DEMO_PICTURES)/timeline.png"; } | \
	  build/$(PRESET)/bin/SpringBoard --echo --snapshots $(DEMO_PICTURES)
	@echo; echo "== The settings pane: a Preferences process changes a setting, the home screen follows =="
	build/$(PRESET)/bin/SpringBoard --echo scenarios/demo-pane.scenario
	printf 'open Morvane\nsnapshot $(DEMO_PICTURES)/settings-root.png\ngoto showVolumeHUD\nsnapshot $(DEMO_PICTURES)/settings-overlays.png\n' | \
	  build/$(PRESET)/bin/Preferences --echo
	@echo "demo: the screen's pictures and the timeline plot are in $(abspath $(DEMO_PICTURES))"

# The live phone: serves its page on 127.0.0.1 at a free port and prints the address with its
# access token (PHONE_OPTIONS="--port 8080", "--root DIR"); Ctrl-C stops it and all it started.
PHONE_OPTIONS ?=
phone: configure
	cmake --build --preset $(PRESET) --target SpringBoard
	@exec build/$(PRESET)/bin/SpringBoard --serve $(PHONE_OPTIONS)

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
