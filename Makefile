# make run   installs what is missing, builds and starts the game
# make test  installs what is missing, builds and runs every test, then again under
#            AddressSanitizer and UndefinedBehaviorSanitizer
BUILD      := build
SANITIZED  := build-sanitize
JOBS       ?= $(shell nproc)

.PHONY: all deps build run test test-plain test-sanitize clean install package

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/brindle

test: test-plain test-sanitize

test-plain: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	@cmake -S . -B $(SANITIZED) -DCMAKE_BUILD_TYPE=Debug -DBRINDLE_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZED) -j $(JOBS)
	@cd $(SANITIZED) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(SANITIZED)

install: build
	cmake --install $(BUILD)

package: build
	cd $(BUILD) && cpack -G DEB
