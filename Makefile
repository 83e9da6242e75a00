# The two commands of the README, plus a few conveniences.
BUILD      ?= build
JOBS       ?= $(shell nproc)
FUZZ_TIME  ?= 60

.PHONY: all deps run test test-normal test-sanitize bench fuzz format clean

all: test

deps:
	@tools/install-deps.sh

run: deps
	cmake --preset normal >/dev/null
	cmake --build --preset normal --target demo vqtopo
	$(BUILD)/normal/examples/demo
	@echo
	@echo "Live map: $(BUILD)/normal/tools/vqtopo/vqtopo serve 'North building' --demo --stdin --images docs"
	@echo "  then open http://127.0.0.1:8080/ and type 'alarm north-router critical' to see it change."

test: deps
	@tools/install-deps.sh --browser
	cmake --preset normal >/dev/null
	cmake --build --preset normal -j $(JOBS)
	cd $(BUILD)/normal && ctest --output-on-failure -j $(JOBS)
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize -j $(JOBS)
	cd $(BUILD)/sanitize && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)
	@for b in $(BUILD)/release/bench/*_bench; do echo "== $$b"; $$b; done
	@echo "== vqmisd crash test, 30 kills"
	VQMISD_CRASH_ROUNDS=30 $(BUILD)/release/tests/daemon_tests --gtest_filter='CrashTest.*'


fuzz:
	@tools/install-deps.sh --fuzz
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	@for f in $(BUILD)/fuzz/fuzz/*_fuzzer; do \
	  name=$$(basename $$f _fuzzer); mkdir -p $(BUILD)/fuzz/corpus/$$name; \
	  echo "== $$name for $(FUZZ_TIME)s"; \
	  $$f -max_total_time=$(FUZZ_TIME) -print_final_stats=1 $(BUILD)/fuzz/corpus/$$name fuzz/corpus/$$name || exit 1; \
	done

format:
	@find include src hvx tests bench examples tools fuzz -name '*.h' -o -name '*.cc' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
