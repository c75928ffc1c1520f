# make run   installs what building and playing need, builds the game and starts it
# make test  installs what testing needs too, builds and runs every test of every front
#            end, the Linux ones also under AddressSanitizer and UndefinedBehaviorSanitizer
# The other targets install nothing: they name what is missing (scripts/install-deps).
BUILD      := build
SANITIZED  := build-sanitize
WINDOWS    := build-windows
WEB        := build-web
BENCH      := build-bench
# Debian's emscripten needs Node to find its own acorn to link with optimisations.
EMSDK_ENV  := NODE_PATH=/usr/share/nodejs
JOBS       ?= $(shell nproc)
CONFIGURE  := -DBRINDLE_WERROR=ON
TEST_DEPS  := scripts/install-deps --check --test

.PHONY: all build game qt-tests run test test-plain test-sanitize test-windows test-web test-share \
	bench clean install uninstall package windows web

all: build

# The game alone, without its tests.
game:
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDLE_TESTS=OFF \
		$(CONFIGURE) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target brindle

build:
	@scripts/install-deps --check
	@$(MAKE) --no-print-directory game

run:
	@scripts/install-deps
	@$(MAKE) --no-print-directory game
	@$(BUILD)/brindle

test:
	@scripts/install-deps --test
	@$(MAKE) --no-print-directory test-plain test-sanitize test-windows test-web
	@$(MAKE) --no-print-directory test-share

# The game with its tests; the web page's pixel test compares with its grab_client.
qt-tests:
	@$(TEST_DEPS)
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDLE_TESTS=ON \
		$(CONFIGURE) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test-plain: qt-tests
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize:
	@$(TEST_DEPS)
	@cmake -S . -B $(SANITIZED) -DCMAKE_BUILD_TYPE=Debug -DBRINDLE_SANITIZE=ON \
		$(CONFIGURE) >/dev/null
	@cmake --build $(SANITIZED) -j $(JOBS)
	@cd $(SANITIZED) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
		ctest --output-on-failure -j $(JOBS)

# brindle.exe, cross-built with mingw-w64; its tests run under Wine.
windows:
	@$(TEST_DEPS)
	@cmake -S . -B $(WINDOWS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
		-DCMAKE_BUILD_TYPE=Release $(CONFIGURE) >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)

test-windows: windows
	@cd $(WINDOWS) && ctest --output-on-failure -j $(JOBS)

# The page: build-web/site/ for a web host, and build-web/brindle.html, one file that
# plays from disk. Its tests drive it in Debian's Chromium through Playwright's npm
# package, and compare its pixels with the Qt build's.
WEB_TESTS ?= OFF
web:
	@$(TEST_DEPS)
	@$(EMSDK_ENV) emcmake cmake -S . -B $(WEB) -DCMAKE_BUILD_TYPE=MinSizeRel $(CONFIGURE) \
		-DBRINDLE_TESTS=$(WEB_TESTS) -DBRINDLE_QT_BUILD=$(CURDIR)/$(BUILD) >/dev/null
	@$(EMSDK_ENV) cmake --build $(WEB) -j $(JOBS)

test-web: qt-tests
	@$(MAKE) --no-print-directory web WEB_TESTS=ON
	@npm ci --no-audit --no-fund --silent
	@cd $(WEB) && ctest --output-on-failure -j $(JOBS)

# Tests should stay a quarter to a third of the code.
test-share:
	@t=$$(cloc --quiet --csv --exclude-dir=node_modules --exclude-ext=json tests | awk -F, '$$2=="SUM"{print $$5}'); \
	 a=$$(cloc --quiet --csv --exclude-dir=node_modules --exclude-ext=json src tests bench packaging scripts | awk -F, '$$2=="SUM"{print $$5}'); \
	 awk -v t=$$t -v a=$$a 'BEGIN{printf "test share: %d of %d code lines, %.2f\n", t, a, t / a}'

# The benchmarks, in a build of their own (see the README for what they need).
bench:
	@cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDLE_TESTS=OFF \
		-DBRINDLE_BENCH=ON $(CONFIGURE) >/dev/null
	@cmake --build $(BENCH) -j $(JOBS)

clean:
	rm -rf $(BUILD) $(SANITIZED) $(WINDOWS) $(WEB) $(BENCH)

# Installs what `make` built, into PREFIX if given; run it with sudo after a `make` as
# yourself, so that no package is installed and nothing is built as root. Uninstall
# takes away what the install put there, the folders it made included.
install:
	@scripts/install $(BUILD) $(PREFIX)

uninstall:
	@scripts/install --uninstall $(BUILD)

package: build windows
	cd $(BUILD) && cpack -G DEB
	cd $(WINDOWS) && cpack -G ZIP
