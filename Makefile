# The two commands a player or a developer needs: `make play` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
# Leaks fail the sanitizer and fuzz runs; only what system libraries leak is suppressed.
FUZZ_TARGETS = $(shell grep '^[a-z]' fuzz/targets.txt)
LSAN_OPTIONS = suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0

WEB_TREE ?= build-emscripten
WEB_SITE ?= build-web
WEB_PORT ?= 8080
HALL_DATA ?= hall-data
HALL_LISTEN ?= 127.0.0.1:8080
export NODE_PATH ?= /usr/share/nodejs

.PHONY: play test test-fast test-asan test-web fuzz build build-asan setup format check-format clean \
        web serve-web check hall hall-bench

play: build
	./$(BUILD)/tarngame

test: test-fast test-asan fuzz test-web

# The quick level for every change: the normal build, its suites and the format check.
check: build check-format
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-fast: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=$(LSAN_OPTIONS) \
	    UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The browser edition: the game compiled to WebAssembly by Emscripten, with the data generated
# by this machine's assetgen; $(WEB_SITE) holds only what a static server publishes: the page,
# its manifest, icons and service worker, and the hashed program and data.
web:
	./tools/setup.sh --web
	cmake -S . -B $(BUILD) -DTARN_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target assetgen
	emcmake cmake -S . -B $(WEB_TREE) -DCMAKE_BUILD_TYPE=Release -DTARN_WERROR=ON \
	    -DTARN_HOST_ASSETGEN=$(abspath $(BUILD))/assetgen
	cmake --build $(WEB_TREE) -j $(JOBS)
	python3 tools/web/publish.py $(WEB_TREE)/platform/web $(WEB_TREE)/data platform/web $(WEB_SITE)

serve-web: web
	@echo "Bubble Tarn at http://127.0.0.1:$(WEB_PORT)/"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_SITE)

# The hall of fame: the game (its verifier), the web edition and the server, serving the page and
# the API at http://$(HALL_LISTEN)/ with SQLite in $(HALL_DATA)/.
hall: web build
	@echo "The hall of fame at http://$(HALL_LISTEN)/ (Ctrl-C stops it)"
	./$(BUILD)/tarnhall --listen $(HALL_LISTEN) --data $(HALL_DATA) --site $(WEB_SITE) \
	    --game $(BUILD)/tarngame

# Verified submissions a second and read latency under load (not a test: figures for the README).
hall-bench: build
	python3 tools/hall-bench.py --hall $(BUILD)/tarnhall --game $(BUILD)/tarngame

# In headless Chromium against the page served locally: the shot and replay parity with the
# native build, keys, touch, saves across a reload, no console errors.
test-web: web build
	cd tests/web && npm ci --no-audit --no-fund --silent
	cd tests/web && TARN_SITE=$(abspath $(WEB_SITE)) TARN_BINARY=$(abspath $(BUILD))/tarngame \
	    TARN_HALL=$(abspath $(BUILD))/tarnhall TARN_WEB_TREE=$(abspath $(WEB_TREE)) \
	    TARN_SOURCE_DIR=$(CURDIR) node --test --test-concurrency=1

# Each fuzz target runs FUZZ_SECONDS on its corpus in tests/fuzz-corpus; new inputs it finds
# go to a scratch copy, crashes to $(FUZZ_BUILD)/crash-*, which then become regression files.
fuzz: setup
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DTARN_FUZZ=ON -DTARN_BUILD_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_all
	for t in $(FUZZ_TARGETS); do \
	    rm -rf $(FUZZ_BUILD)/corpus-$$t && mkdir -p $(FUZZ_BUILD)/corpus-$$t && \
	    ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=$(LSAN_OPTIONS) ./$(FUZZ_BUILD)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) \
	        -artifact_prefix=$(FUZZ_BUILD)/crash-$$t- -print_final_stats=0 \
	        $(FUZZ_BUILD)/corpus-$$t tests/fuzz-corpus/$$t 2>$(FUZZ_BUILD)/fuzz-$$t.log \
	        || { tail -40 $(FUZZ_BUILD)/fuzz-$$t.log; exit 1; }; \
	    echo "fuzz $$t: $$(grep -o 'Done [0-9]* runs' $(FUZZ_BUILD)/fuzz-$$t.log), no crash"; \
	done

setup:
	./tools/setup.sh

build: setup
	cmake -S . -B $(BUILD) -DTARN_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

build-asan: setup
	cmake -S . -B $(ASAN_BUILD) -DTARN_WERROR=ON -DTARN_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)

# C++ by clang-format; the page and the browser tests by Prettier (pinned in
# tools/format/package-lock.json); the Python tools by Black.
PRETTIER = tools/format/node_modules/.bin/prettier
WEB_SOURCES = git ls-files '*.html' '*.mjs' '*.js' '*.css'

$(PRETTIER): tools/format/package-lock.json
	cd tools/format && npm ci --no-audit --no-fund --silent
	touch $@

format: setup $(PRETTIER)
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
	$(WEB_SOURCES) | xargs $(PRETTIER) --log-level warn --write
	git ls-files '*.py' | xargs black -q

check-format: setup $(PRETTIER)
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
	$(WEB_SOURCES) | xargs $(PRETTIER) --log-level warn --check
	git ls-files '*.py' | xargs black -q --check

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WEB_TREE) $(WEB_SITE)
