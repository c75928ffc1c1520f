# make run   installs what is missing, builds and starts the game
# make test  installs what is missing, builds and runs every test, then again under
#            AddressSanitizer and UndefinedBehaviorSanitizer
BUILD      := build
SANITIZED  := build-sanitize
WINDOWS    := build-windows
WEB        := build-web
# Debian's emscripten needs Node to find its own acorn to link with optimisations.
EMSDK_ENV  := NODE_PATH=/usr/share/nodejs
JOBS       ?= $(shell nproc)

.PHONY: all deps test-deps web-deps build bench run test test-plain test-sanitize test-windows \
	test-web test-share clean install uninstall package windows web

all: build

deps:
	@scripts/install-deps

test-deps:
	@scripts/install-deps --test

web-deps:
	@scripts/install-deps --web

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDLE_WERROR=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

bench: build
	@cmake -S . -B $(BUILD) -DBRINDLE_BENCH=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/brindle

test: test-plain test-sanitize test-windows test-web
	@$(MAKE) --no-print-directory test-share

test-plain: test-deps build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: test-deps
	@cmake -S . -B $(SANITIZED) -DCMAKE_BUILD_TYPE=Debug -DBRINDLE_SANITIZE=ON \
		-DBRINDLE_WERROR=ON >/dev/null
	@cmake --build $(SANITIZED) -j $(JOBS)
	@cd $(SANITIZED) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
		ctest --output-on-failure -j $(JOBS)

# brindle.exe, cross-built with mingw-w64; its tests run under Wine.
windows: test-deps
	@cmake -S . -B $(WINDOWS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
		-DCMAKE_BUILD_TYPE=Release -DBRINDLE_WERROR=ON >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)

test-windows: test-deps
	@$(MAKE) --no-print-directory windows
	@cd $(WINDOWS) && ctest --output-on-failure -j $(JOBS)

# The page: build-web/site/ for a web host, and build-web/brindle.html, one file that
# plays from disk. Its tests drive it in Debian's Chromium through Playwright's npm
# package, and compare its pixels with the Qt build's.
web: web-deps
	@$(EMSDK_ENV) emcmake cmake -S . -B $(WEB) -DCMAKE_BUILD_TYPE=MinSizeRel -DBRINDLE_WERROR=ON \
		-DBRINDLE_TESTS=$(WEB_TESTS) -DBRINDLE_QT_BUILD=$(CURDIR)/$(BUILD) >/dev/null
	@$(EMSDK_ENV) cmake --build $(WEB) -j $(JOBS)

WEB_TESTS ?= OFF
test-web: test-deps build
	@$(MAKE) --no-print-directory web WEB_TESTS=ON
	@npm ci --no-audit --no-fund --silent
	@cd $(WEB) && ctest --output-on-failure -j $(JOBS)

# Tests should stay a quarter to a third of the code.
test-share:
	@t=$$(cloc --quiet --csv --exclude-dir=node_modules tests | awk -F, '$$2=="SUM"{print $$5}'); \
	 a=$$(cloc --quiet --csv --exclude-dir=node_modules src tests bench packaging scripts | awk -F, '$$2=="SUM"{print $$5}'); \
	 awk -v t=$$t -v a=$$a 'BEGIN{printf "test share: %d of %d code lines, %.2f\n", t, a, t / a}'

clean:
	rm -rf $(BUILD) $(SANITIZED) $(WINDOWS) $(WEB)

# Installs what `make` built, into PREFIX if given; run it with sudo after a `make` as
# yourself, so that no package is installed and nothing is built as root. Uninstall
# takes away what the install put there, the folders it made included.
install:
	@scripts/install $(BUILD) $(PREFIX)

uninstall:
	@scripts/install --uninstall $(BUILD)

package: build
	@$(MAKE) --no-print-directory windows
	cd $(BUILD) && cpack -G DEB
	cd $(WINDOWS) && cpack -G ZIP
