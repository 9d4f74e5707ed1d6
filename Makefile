# make run: install what is missing, build, start the editor. make test: the same, then every test.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench deb clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/facetwright $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# make bench: every benchmark beside its baseline, then the table of figures in $(BUILD)/bench.md.
bench: build
	rm -f $(BUILD)/bench.json $(BUILD)/bench_frames.json $(BUILD)/bench_consecutive.json
	$(BUILD)/tests/fw_bench --benchmark_enable_random_interleaving=true \
	    --benchmark_out=$(BUILD)/bench.json --benchmark_out_format=json
	if [ -x $(BUILD)/tests/fw_frame_bench ]; then xvfb-run -a -s "-screen 0 1280x1024x24" \
	    $(BUILD)/tests/fw_frame_bench --benchmark_enable_random_interleaving=true \
	    --benchmark_out=$(BUILD)/bench_frames.json \
	    --benchmark_out_format=json; fi
	# The composite once more with each side's runs back to back, reusing memory just freed.
	$(BUILD)/tests/fw_bench --benchmark_filter='^BM_(ImportObj/composite|TinyObjSoup/composite|FillVertexArray)' \
	    --benchmark_out=$(BUILD)/bench_consecutive.json --benchmark_out_format=json
	python3 scripts/bench_table.py $(BUILD)/bench.md $(BUILD)/bench.json $(BUILD)/bench_frames.json \
	    consecutive=$(BUILD)/bench_consecutive.json

# make deb: the Debian package facetwright_<version>_amd64.deb in $(BUILD).
deb: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
