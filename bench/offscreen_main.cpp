// The entry point of the benchmarks that need a QApplication: the offscreen platform at
// 96 dpi, which the designed sizes assume, unless the environment chooses otherwise, and the
// program's font substitutions, so that the faces measured are the ones the program uses.

#include "font_substitutions.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");
    QApplication application(argc, argv);
    registerFontSubstitutions();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
