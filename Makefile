# make run   installs what is missing, builds and starts the game
# make test  installs what is missing, builds and runs every test, then again under
#            AddressSanitizer and UndefinedBehaviorSanitizer
BUILD      := build
SANITIZED  := build-sanitize
JOBS       ?= $(shell nproc)

.PHONY: all deps test-deps build run test test-plain test-sanitize test-share clean install package

all: build

deps:
	@scripts/install-deps

test-deps:
	@scripts/install-deps --test

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/brindle

test: test-plain test-sanitize
	@$(MAKE) --no-print-directory test-share

test-plain: test-deps build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: test-deps
	@cmake -S . -B $(SANITIZED) -DCMAKE_BUILD_TYPE=Debug -DBRINDLE_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZED) -j $(JOBS)
	@cd $(SANITIZED) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
		ctest --output-on-failure -j $(JOBS)

# Tests should stay a quarter to a third of the code.
test-share:
	@t=$$(cloc --quiet --csv tests | awk -F, '$$2=="SUM"{print $$5}'); \
	 a=$$(cloc --quiet --csv src tests bench packaging scripts | awk -F, '$$2=="SUM"{print $$5}'); \
	 awk -v t=$$t -v a=$$a 'BEGIN{printf "test share: %d of %d code lines, %.2f\n", t, a, t / a}'

clean:
	rm -rf $(BUILD) $(SANITIZED)

install: build
	cmake --install $(BUILD)

package: build
	cd $(BUILD) && cpack -G DEB
