# The two commands a new machine needs: `make run` and `make test`.
# Both install the system packages they need first (scripts/install-deps).

BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
BENCH_BUILD ?= build-bench
DEB_BUILD  ?= build-deb
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
WERROR     := $(if $(CI),ON,OFF)
CTEST_ENV  := QT_QPA_PLATFORM=offscreen

.PHONY: all deps build run test sanitize tsan bench deb deb-check fuzz clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRIM_WERROR=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/program/veltrim examples/welcome.gmi

test: build
	cd $(BUILD) && $(CTEST_ENV) ctest --output-on-failure -j $(JOBS)

sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELTRIM_WERROR=$(WERROR) \
	  -DVELTRIM_SANITIZE=address,undefined
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(CTEST_ENV) ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS) -LE nosanitize

# Only the test programs `ctest -L korvid` runs are built under the thread sanitizer.
TSAN_TARGETS := korvid_core_tests korvid_draw_tests korvid_controls_tests korvid_dialogs_tests events_tests

# Qt is not built with the thread sanitizer, so it cannot see how Qt hands work
# to its own threads (its thread pool paints large images); memory that Qt
# allocates and frees itself is left to Qt. What our own code reads and writes
# is still checked.
TSAN_OPTIONS := suppressions=$(CURDIR)/tests/tsan.supp halt_on_error=1 ignore_noninstrumented_modules=1

tsan: deps
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELTRIM_WERROR=$(WERROR) \
	  -DVELTRIM_SANITIZE=thread
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target $(TSAN_TARGETS)
	cd $(TSAN_BUILD) && $(CTEST_ENV) TSAN_OPTIONS="$(TSAN_OPTIONS)" \
	  ctest --output-on-failure -j $(JOBS) -L korvid -LE nosanitize

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELTRIM_BENCH=ON -DVELTRIM_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@for b in $(BENCH_BUILD)/bench/bench_*; do echo "== $$b"; \
	  case $$b in *bench_startup|*bench_response) xvfb-run -a -s "-screen 0 1024x768x24" $$b ;; *) $(CTEST_ENV) $$b ;; esac; done

# The Debian package: a Release build of the program alone, with the hardening
# flags Debian builds its packages with (its optimisation level left to the
# Release build), packaged by CPack. The version is project(VERSION) in
# CMakeLists.txt, the one `veltrim --version` prints. Warnings do not stop a
# package build: GCC 12 warns falsely at -O3 (-Wrestrict inside std::string).
VERSION  := $(shell sed -n 's/^project.Veltrim VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
DEB_FILE  = veltrim_$(VERSION)_$(shell dpkg --print-architecture).deb
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP="-g -O2" dpkg-buildflags --get

deb: deps
	cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELTRIM_TESTS=OFF \
	  -DVELTRIM_WERROR=OFF \
	  -DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)"
	cmake --build $(DEB_BUILD) -j $(JOBS)
	rm -f $(DEB_BUILD)/package/*.deb
	cd $(DEB_BUILD) && cpack
	cp $(DEB_BUILD)/package/$(DEB_FILE) .

deb-check: deb
	scripts/check-deb $(DEB_FILE)

# One libFuzzer target per reader (fuzz/), built with clang under the address
# and undefined-behaviour sanitizers; only the targets and what they link are
# compiled. Each runs for FUZZ_SECONDS.
FUZZ_TARGETS := script time layout preferences marktext slidetext

fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRIM_WERROR=$(WERROR) \
	  -DCMAKE_CXX_COMPILER=clang++ -DVELTRIM_SANITIZE=address,undefined -DVELTRIM_FUZZ=ON -DVELTRIM_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	scripts/fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(BENCH_BUILD) $(DEB_BUILD) $(FUZZ_BUILD)
