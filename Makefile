# One command each: `make test` builds and runs every test, in the plain and
# the sanitizer build; `make run` opens the simulator window.
.PHONY: test test-dev test-asan run build deps format bench pictures atlas

deps:
	@scripts/install-deps.sh

test: deps test-dev test-asan

test-dev:
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev

test-asan:
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

build: deps
	cmake --preset dev
	cmake --build --preset dev

run:
	@scripts/install-deps.sh --window
	cmake --preset dev
	cmake --build --preset dev --target qtr5
	./build/dev/src/app/qtr5

bench: deps
	cmake --preset dev
	cmake --build --preset dev --target qtr5-bench
	./build/dev/bench/qtr5-bench

# Draws every picture in docs/images again (the atlas included) from the
# instrument's frames; the docs.pictures test fails until they are committed.
pictures atlas: deps
	cmake --preset dev
	cmake --build --preset dev --target qtr5-run qtr5-atlas qtr5-sheets
	cmake -DSOURCE=. -DOUT=. -DRUNNER=build/dev/src/run/qtr5-run \
	      -DATLAS=build/dev/tools/qtr5-atlas -DSHEETS=build/dev/tools/qtr5-sheets \
	      -P tools/pictures.cmake

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
