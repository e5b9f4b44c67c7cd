# `make run` and `make test` do all the set-up on a fresh Debian machine.
PACKAGES := cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev \
            libsimpleini-dev fonts-liberation qt6-translations-l10n xvfb xauth
BUILD := build
JOBS ?= 2
# ccache, when present, keeps rebuilds of several checkouts short.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: all deps configure build test run bench clean

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

bench: build
	@for b in $(BUILD)/bench_*; do [ -x $$b ] && $$b; done

clean:
	rm -rf $(BUILD)
