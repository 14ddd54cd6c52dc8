# make run   - install what is missing, build, open the program
# make test  - install what is missing, build with sanitizers, run every test
# make bench - build optimised and run the benchmark
# make fuzz  - build the fuzz targets with clang, run each FUZZ_SECONDS (60)
# make soak  - the key storm ten times longer, and 10^9 points of three entries

PACKAGES := cmake g++ make pkg-config libsdl2-dev libx11-dev unifont libgtest-dev libstb-dev \
            xvfb xdotool imagemagick clang libclang-rt-14-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test bench deps release test-build clean fuzz soak

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

release: deps
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DIFSDRAW_TESTS=OFF
	cmake --build build/release -j $(JOBS)

run: release
	./build/release/ifsdraw

test-build: deps
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIFSDRAW_SANITIZE=ON
	cmake --build build/test -j $(JOBS)

test: test-build
	cd build/test && ctest --output-on-failure -j $(JOBS)

bench: release
	./build/release/bench/ifsdraw-bench

fuzz: deps
	FUZZ_SECONDS=$(or $(FUZZ_SECONDS),60) ./fuzz/run.sh

soak: test-build release
	cd build/test && IFSDRAW_STORM_SCALE=10 ctest --output-on-failure -j $(JOBS) -L storm
	./tools/long_run.sh

clean:
	rm -rf build
