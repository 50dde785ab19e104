// The entry point of the benchmarks that need a QApplication: the offscreen platform at
// 96 dpi, which the designed sizes assume, unless the environment chooses otherwise, and the
// program's font substitutions, so that the faces measured are the ones the program uses.

#include "bench_environment.h"
#include "font_substitutions.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    chooseBenchPlatform();
    QApplication application(argc, argv);
    registerFontSubstitutions();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
