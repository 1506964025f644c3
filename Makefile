# The two commands a newcomer needs are `make run` and `make test`; every
# target installs what it is missing first, and only what it needs.
BUILD    := build
WINBUILD := build-windows
WEBBUILD := build-web
CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# What `make test` and `make bench` add to a build; the settings are kept in
# each build folder, so that `make run` after them rebuilds nothing. Warnings
# stop the build in `make test` (and so in CI), not for a player.
OPTIONS  :=
test sanitize: OPTIONS = -DZARNIK_TESTS=ON -DZARNIK_WERROR=ON
bench: OPTIONS = -DZARNIK_BENCH=ON
# Every build of a commit is the same, wherever it is made: file times in
# the package are those of the last commit.
ifeq ($(origin SOURCE_DATE_EPOCH),undefined)
SOURCE_DATE_EPOCH := $(shell git log -1 --format=%ct 2>/dev/null)
endif
ifneq ($(SOURCE_DATE_EPOCH),)
export SOURCE_DATE_EPOCH
endif

.PHONY: build run test sanitize windows web web-serve images install package bench reproducible \
	test-debian12 test-debian13 test-debian-testing clean

build:
	@tools/deps.sh linux
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(OPTIONS) >/dev/null
	@cmake --build $(BUILD)

run: build
	$(BUILD)/zarnik

windows:
	@tools/deps.sh windows
	@cmake -S . -B $(WINBUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=MinSizeRel $(OPTIONS) --no-warn-unused-cli \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build $(WINBUILD)

# The browser site, a folder of static files.
web:
	@tools/deps.sh web
	@cmake -S . -B $(WEBBUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=MinSizeRel --no-warn-unused-cli \
		-DCMAKE_TOOLCHAIN_FILE=cmake/wasm32-wasi.cmake >/dev/null
	@cmake --build $(WEBBUILD)

web-serve: web
	@tools/deps.sh serve
	@echo "Zarnik at http://127.0.0.1:8000/ (Ctrl+C stops)"
	@python3 -m http.server 8000 --bind 127.0.0.1 --directory $(WEBBUILD)/site

# Every program, then every test; the Windows and browser tests play the
# .exe and the site. Two at a time: most of them wait on an X server, Wine or
# a browser, each test on its own (the Wine games take turns on one prefix).
# What could not run here, for want of a package, is named last, with why.
test: windows web sanitize
	@tools/deps.sh linux test package web
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(OPTIONS) -DZARNIK_WINDOWS_EXE=$(CURDIR)/$(WINBUILD)/Zarnik.exe \
		-DZARNIK_WEB_SITE=$(CURDIR)/$(WEBBUILD)/site >/dev/null
	@cmake --build $(BUILD)
	@cd $(BUILD) && status=0 && ctest --output-on-failure --timeout 600 -j2 || status=$$?; \
		cat tests/not-run.txt; exit $$status

# The offscreen tests again, built with AddressSanitizer, UBSan and LeakSanitizer
# (the X server and Wine tests play the normal build's programs). Nothing is
# suppressed: Qt, fontconfig and the program run clean. The random play is
# shortened to keep the whole run near half a minute.
sanitize:
	@tools/deps.sh linux test
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug $(OPTIONS) -DZARNIK_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j2
	@cd build-asan && ZARNIK_STEPS=30000 \
		ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
		UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -LE xvfb -j2 --timeout 300

images: build
	@cmake --build $(BUILD) --target images

install: build
	cmake --install $(BUILD)

package: build
	@tools/deps.sh package
	@cd $(BUILD) && cpack -G DEB

# Zarnik.exe and the site are measured too, so they are built first.
bench: windows web
	@tools/deps.sh linux bench web
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(OPTIONS) -DZARNIK_WINDOWS_EXE=$(CURDIR)/$(WINBUILD)/Zarnik.exe \
		-DZARNIK_WEB_SITE=$(CURDIR)/$(WEBBUILD)/site >/dev/null
	@cmake --build $(BUILD) --target bench

# Two clean clones of HEAD, built one after the other at different paths,
# must give the same Zarnik.exe, site and .deb, byte for byte.
reproducible:
	@tools/reproducible.sh

# `make test` on a fresh Debian 12, 13 or testing root in the build tree
# (needs root; tools/debian.sh also enters it as a plain chroot or a container).
test-debian12 test-debian13 test-debian-testing:
	@tools/debian.sh $(lastword $(subst -, ,$(subst test-debian,debian-,$@))) test

clean:
	rm -rf $(BUILD) $(WINBUILD) $(WEBBUILD) build-asan
