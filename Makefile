# The two commands of the README: `make run` and `make test`. Each installs what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
WINE_ENV = scripts/wine-env.sh --build $(BUILD)

.PHONY: run test build deps configure bench clean

deps:
	@bash scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	$(WINE_ENV) session ctest --test-dir $(BUILD) --output-on-failure

run: build
	bash scripts/run.sh $(BUILD)

bench: build
	bash bench/run.sh $(BUILD)

clean:
	@bash tests/e2e/readonly_folder.sh cleanup $(BUILD)/e2e-readonly
	rm -rf $(BUILD)
