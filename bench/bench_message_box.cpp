// The error box for hostile partner texts: built, shown and painted once, then closed from
// inside its own event loop. The texts are the nested-table markup that Qt would lay out in
// exponential time if it took it as rich text, and a 1 MB paste.

#include "message_boxes.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

void showAndClose(benchmark::State& state, const QString& text)
{
    for (auto _ : state) {
        QTimer::singleShot(0, [] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                box->grab(); // its first paint
                box->close();
            }
        });
        MessageBoxes::showQuotingError(QStringLiteral("'"), text,
                                       QStringLiteral(" is not a valid integer value"));
    }
}

void BM_ErrorBoxNestedTables(benchmark::State& state)
{
    showAndClose(state, QStringLiteral("<table><tr><td>").repeated(30));
}
BENCHMARK(BM_ErrorBoxNestedTables)->Unit(benchmark::kMillisecond);

void BM_ErrorBoxOneMegabyte(benchmark::State& state)
{
    showAndClose(state, QString(1 << 20, QLatin1Char('x')));
}
BENCHMARK(BM_ErrorBoxOneMegabyte)->Unit(benchmark::kMillisecond);

} // namespace
