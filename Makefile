# The two commands of the README: `make run` and `make test`.
SHELL := /bin/bash
JOBS := $(shell nproc)

.PHONY: run test setup native win32 tsan

# tools/setup runs when something the build or the tests need is missing.
setup:
	@if ! tools/setup --check >/dev/null 2>&1; then \
	    echo "Installing what the build needs (tools/setup)..."; \
	    if [ "$$(id -u)" -eq 0 ]; then tools/setup; else sudo tools/setup; fi; \
	fi

native: setup
	cmake --preset native
	cmake --build --preset native -j $(JOBS)

win32: setup
	cmake --preset win32
	cmake --build --preset win32 -j $(JOBS)

# The thread tests under ThreadSanitizer, a small build of their own (build/tsan).
tsan: setup
	cmake -S tests/search/tsan -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build/tsan -j $(JOBS)

run: win32
	tools/run-korvalder build/win32/src/shell/Korvalder.exe

# The Wine prefixes of the tests (null and X11 drivers) are made while the builds
# run: they take minutes.
test: setup
	@{ tools/wine-run && tools/wine-x11-run; } & prefix=$$!; \
	$(MAKE) --no-print-directory native win32 tsan || { wait $$prefix; exit 1; }; \
	wait $$prefix || exit 1; \
	native=0; ctest --preset native -j $(JOBS) || native=$$?; \
	ctest --test-dir build/tsan --output-on-failure || native=$$?; \
	ctest --preset win32 -j $(JOBS) && exit $$native
