// Benchmark entry: models log to the per-user directory, so every run gets a scratch one.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv) {
    char dir[] = "/tmp/fwbench.XXXXXX";
    if (mkdtemp(dir)) {
        setenv("APPDATA", dir, 1);
        mkdir((std::string(dir) + "/Facetwright").c_str(), 0755);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
