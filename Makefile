# Thin front door over CMake. Every target first makes sure the Debian
# packages are there (a quick no-op when they are).
BUILD ?= build
JOBS ?= $(shell nproc)
# Random events of one monkey run, and the seconds each fuzz target runs.
EVENTS ?= 1000
FUZZ_SECONDS ?= 60
# The compiler cache, where there is one, serves every build folder and every
# clone of the project: paths under this folder are hashed relative to it.
export CCACHE_BASEDIR := $(CURDIR)
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: setup configure build run check package package-check sanitize bench fuzz monkey clean

setup:
	bash scripts/setup.sh

configure: setup
	cmake -S . -B $(BUILD) -G Ninja $(LAUNCHER)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/solvane

check: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The Debian package, build/solvane_VERSION_amd64.deb.
package: build
	cmake --build $(BUILD) --target package

# The package installed with apt, used as an ordinary user, then purged.
package-check: build
	bash scripts/package_check.sh $(BUILD)

sanitize: setup
	bash scripts/sanitize.sh

bench: build
	bash scripts/bench.sh $(BUILD)

fuzz: setup
	FUZZ_SECONDS=$(FUZZ_SECONDS) bash scripts/fuzz.sh

monkey: build
	bash scripts/monkey.sh $(BUILD)/bin $(EVENTS)

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz
