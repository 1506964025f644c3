# The two commands a newcomer needs are `make run` and `make test`; every
# target installs what is missing first.
BUILD    := build
WINBUILD := build-windows
CMAKE_FLAGS := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps build run test windows images install package bench clean

deps:
	@tools/deps.sh

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)

run: build
	$(BUILD)/zarnik

windows: deps
	@cmake -S . -B $(WINBUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=MinSizeRel \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build $(WINBUILD)

# Both programs, then every test; the Windows tests read and play the .exe.
test: deps windows
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DZARNIK_WINDOWS_EXE=$(CURDIR)/$(WINBUILD)/Zarnik.exe >/dev/null
	@cmake --build $(BUILD)
	@cd $(BUILD) && ctest --output-on-failure --timeout 600

images: build
	@cmake --build $(BUILD) --target images

install: build
	cmake --install $(BUILD)

package: build
	@cd $(BUILD) && cpack -G DEB

bench: build
	@cmake --build $(BUILD) --target bench

clean:
	rm -rf $(BUILD) $(WINBUILD)
