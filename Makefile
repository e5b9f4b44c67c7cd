# `make run` and `make test` do all the set-up on a fresh Debian machine.
PACKAGES := cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev \
            libsimpleini-dev libcli11-dev fonts-liberation qt6-translations-l10n xvfb xauth desktop-file-utils \
            dpkg-dev
BUILD := build
JOBS ?= 2
# ccache, when present, keeps rebuilds of several checkouts short.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: all deps configure build test run bench sanitize fuzz install package clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installation des paquets manquants :$$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi; \
	  $$sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq $$missing; \
	fi

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

run: build
	@if [ ! -x $(BUILD)/sarvelo ]; then echo "La fenêtre principale n'est pas encore construite."; exit 1; fi
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then $(BUILD)/sarvelo; \
	 else echo "Pas d'écran : lancement sous xvfb-run"; xvfb-run -a $(BUILD)/sarvelo; fi

# Every test again in Debug under AddressSanitizer and UndefinedBehaviorSanitizer.
SANITIZE_ENV := QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/.ci/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
sanitize: deps
	@cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSARVELO_SANITIZE=ON $(LAUNCHER) >/dev/null
	@cmake --build build-sanitize -j$(JOBS)
	cd build-sanitize && $(SANITIZE_ENV) ctest --output-on-failure -j$(JOBS)

# libFuzzer targets of fuzz/, built with clang, each run FUZZ_SECONDS seconds on
# its corpus (seeds from fuzz/seeds/NAME); crashes and slow inputs land in build-fuzz/.
# The whole run (fuzz_run) takes inputs up to 1 MB: one allocation over 64 MB,
# or a run over 10 s, is a fault.
FUZZ_PACKAGES := clang libclang-rt-14-dev
FUZZ_SECONDS ?= 60
fuzz: deps
	@missing=""; for p in $(FUZZ_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi; \
	  $$sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq $$missing; fi
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSARVELO_FUZZ=ON $(LAUNCHER) >/dev/null
	@cmake --build build-fuzz -j$(JOBS) --target fuzz_targets
	@cd build-fuzz && for t in fuzz_*; do [ -f "$$t" ] && [ -x "$$t" ] || continue; \
	  mkdir -p corpus/$$t; seeds=""; [ -d ../fuzz/seeds/$$t ] && seeds=../fuzz/seeds/$$t; \
	  echo "== $$t ($(FUZZ_SECONDS) s)"; \
	  limits="-timeout=10 -rss_limit_mb=2048 -max_len=8192"; \
	  [ $$t = fuzz_run ] && limits="-timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=64 -max_len=1048576"; \
	  ./$$t -max_total_time=$(FUZZ_SECONDS) $$limits \
	    -print_final_stats=1 corpus/$$t $$seeds || exit 1; done

bench: build
	@for b in $(BUILD)/bench_*; do [ -f $$b ] && [ -x $$b ] && $$b; done

# PREFIX=/usr/local by default; DESTDIR=... installs into a staging folder.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of both programs and their data (no tests, no benchmarks),
# built with Debian's hardening flags in $(BUILD)/paquet and copied to $(BUILD)/.
PACKAGE_BUILD = $(BUILD)/paquet
BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package: deps
	@cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DSARVELO_BUILD_TESTS=OFF $(LAUNCHER) \
	  -DCMAKE_CXX_FLAGS="$$($(BUILDFLAGS) CPPFLAGS) $$($(BUILDFLAGS) CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)" -DCMAKE_MODULE_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)" >/dev/null
	@cmake --build $(PACKAGE_BUILD) -j$(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB
	cp $(PACKAGE_BUILD)/sarvelo_*.deb $(BUILD)/

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz
