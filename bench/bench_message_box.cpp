// The error box for hostile partner texts, from the failed conversion on: built, shown and
// painted once, then closed from inside its own event loop. The texts are the nested-table markup
// that Qt would lay out in exponential time if it took it as rich text, pastes of 1 MB and of 10 MB
// in short lines, floods of combining marks and joiners, and a word without spaces that an ordinary
// box would show in its label.
//
// The partner field is painted with such a flood in it, and with as many short lines as it
// holds, focused, as each cursor blink paints it; a plain line edit beside it shows what the
// blink costs when the whole text is drawn.
//
// Beside the time, each row reports memory from /proc/self: peak_MB, the most the resident
// set rose above its level before a showing, and kept_MB, how much more is resident after the
// last showing closed than before the first.

#include "event_guard.h"
#include "integer_text.h"
#include "partner_field.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

// A field of /proc/self/status in megabytes.
double statusMegabytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(key.size()).trimmed().split(' ').front().toDouble() / 1024;
        }
    }
    return 0;
}

// Lets the peak resident set start again from the current one.
void resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly)) {
        refs.write("5");
    }
}

// From the click on: the field's text taken as UTF-8, the conversion failing, and its error
// shown through the guard every handler runs in, as the results window's button does it.
void showAndClose(benchmark::State& state, const QString& text)
{
    const double before = statusMegabytes("VmRSS");
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeak();
        const double start = statusMegabytes("VmRSS");
        state.ResumeTiming();
        QTimer::singleShot(0, [] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                box->grab(); // its first paint
                box->close();
            }
        });
        runGuarded([&text] {
            const QByteArray typed = text.toUtf8();
            parseInteger(std::string_view(typed.constData(), std::size_t(typed.size())));
        });
        state.PauseTiming();
        peak = std::max(peak, statusMegabytes("VmHWM") - start);
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peak;
    state.counters["kept_MB"] = statusMegabytes("VmRSS") - before;
}

QString shortLines(qsizetype size)
{
    return QStringLiteral("0123456\n").repeated(size / 8);
}

void BM_ErrorBoxNestedTables(benchmark::State& state)
{
    showAndClose(state, QStringLiteral("<table><tr><td>").repeated(30));
}
BENCHMARK(BM_ErrorBoxNestedTables)->Unit(benchmark::kMillisecond);

void BM_ErrorBoxNoSpaces40(benchmark::State& state)
{
    showAndClose(state, QString(40, QLatin1Char('x')));
}
BENCHMARK(BM_ErrorBoxNoSpaces40)->Unit(benchmark::kMillisecond);

void BM_ErrorBoxOneMegabyte(benchmark::State& state)
{
    showAndClose(state, QString(1 << 20, QLatin1Char('x')));
}
BENCHMARK(BM_ErrorBoxOneMegabyte)->Unit(benchmark::kMillisecond);

// 10 MB in lines of seven characters; twenty showings of the same box must not add up.
void BM_ErrorBoxShortLines(benchmark::State& state)
{
    showAndClose(state, shortLines(10 << 20));
}
BENCHMARK(BM_ErrorBoxShortLines)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ErrorBoxShortLines)
    ->Name("BM_ErrorBoxShortLinesTwentyTimes")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

void BM_ErrorBoxCombiningMarks(benchmark::State& state)
{
    showAndClose(state, QLatin1Char('a') + QString(state.range(0), QChar(0x0301)));
}
BENCHMARK(BM_ErrorBoxCombiningMarks)
    ->Unit(benchmark::kMillisecond)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Iterations(1);

void BM_ErrorBoxJoiners(benchmark::State& state)
{
    showAndClose(state, QString(state.range(0), QChar(0x200D)));
}
BENCHMARK(BM_ErrorBoxJoiners)->Unit(benchmark::kMillisecond)->Arg(1'000'000)->Iterations(1);

template <typename Field> void paintText(benchmark::State& state, const QString& text)
{
    Field field;
    field.resize(73, 32);
    field.setText(text);
    field.show();
    field.setFocus();
    field.grab();
    for (auto _ : state) {
        field.grab();
    }
}
template <typename Field> void paintFlood(benchmark::State& state)
{
    paintText<Field>(state, QLatin1Char('a') + QString(state.range(0), QChar(0x0301)));
}

// As many characters of short lines as the field holds.
template <typename Field> void paintLines(benchmark::State& state)
{
    paintText<Field>(state,
                     QStringLiteral("ab\n").repeated(state.range(0) / 3 + 1).left(state.range(0)));
}

BENCHMARK(paintFlood<PartnerField>)
    ->Name("BM_PartnerFieldPaintMarks")
    ->Unit(benchmark::kMillisecond)
    ->Arg(8'000)
    ->Arg(100'000);
BENCHMARK(paintFlood<QLineEdit>)
    ->Name("BM_LineEditPaintMarks")
    ->Unit(benchmark::kMillisecond)
    ->Arg(8'000)
    ->Arg(100'000);
BENCHMARK(paintLines<PartnerField>)
    ->Name("BM_PartnerFieldPaintLines")
    ->Unit(benchmark::kMillisecond)
    ->Arg(PartnerField::bound);
BENCHMARK(paintLines<QLineEdit>)
    ->Name("BM_LineEditPaintLines")
    ->Unit(benchmark::kMillisecond)
    ->Arg(PartnerField::bound);

} // namespace
