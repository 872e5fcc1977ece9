# One command each: `make test` builds and runs every test, in the plain and
# the sanitizer build; `make run` opens the simulator window.
.PHONY: test test-dev test-asan run build deps format bench

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

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
