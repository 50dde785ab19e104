// Painting: the effect label (measuring and drawing) for the splash's version line and for a
// caption that uses every geometric effect, the splash window, the main window's first paint,
// and the construction of the windows that start-up performs.
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise, with the program's own
// font substitutions, so the fonts resolve as they do in the program.

#include "fx2label.h"
#include "tandemo.h"
#include "window_look.h"
#include "window_owner.h"
#include "window_set.h"
#include "zast.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>

namespace {

// The backing store of a window is a premultiplied ARGB image; rendering into one of those
// costs what a real paint costs, minus the hand-over to the window system.
QImage canvasFor(const QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

Tfx2Label& splashLabel(TZast& splash)
{
    auto* label = splash.findChild<Tfx2Label*>(QStringLiteral("fx2Label1"));
    if (label == nullptr)
        qFatal("the splash has no fx2Label1");
    return *label;
}

// A caption that takes every geometric branch: two lines, turned, with a drop shadow and
// hollow letters, on an opaque background.
std::unique_ptr<QWidget> effectsHost(Tfx2Label*& label)
{
    auto host = std::make_unique<QWidget>();
    host->resize(300, 200);
    label = new Tfx2Label(host.get());
    label->setFont(WindowLook::pixelFont(QStringLiteral("Times New Roman"), 24, true));
    label->setTextColor(WindowLook::teal);
    label->setCaption(QStringLiteral("Тандемо\r\nTandemo 1.1.3"));
    Tfx2TextEffects3D* effects = label->effects();
    effects->setAngle(30);
    effects->setShadowAngle(315);
    effects->setShadowDepth(4);
    effects->setOutline(true);
    EffectPen pen;
    pen.color = TColor::fromQColor(WindowLook::maroon);
    pen.width = 2;
    effects->setPen(pen);
    return host;
}

void measure(benchmark::State& state, const Tfx2Label& label)
{
    for (auto _ : state) {
        QRect box = label.rect();
        label.DrawCaption(nullptr, box, true);
        benchmark::DoNotOptimize(box);
    }
}

void drawCaption(benchmark::State& state, const Tfx2Label& label)
{
    QImage image = canvasFor(label);
    QPainter painter(&image);
    for (auto _ : state) {
        QRect area = label.rect();
        label.DrawCaption(&painter, area, false);
        benchmark::ClobberMemory();
    }
}

void BM_SplashLabelMeasure(benchmark::State& state)
{
    TZast splash;
    measure(state, splashLabel(splash));
}
BENCHMARK(BM_SplashLabelMeasure);

void BM_SplashLabelPaint(benchmark::State& state)
{
    TZast splash;
    drawCaption(state, splashLabel(splash));
}
BENCHMARK(BM_SplashLabelPaint);

// The same paint arriving as a paint event, with the widget machinery around it.
void BM_SplashLabelRender(benchmark::State& state)
{
    TZast splash;
    Tfx2Label& label = splashLabel(splash);
    QImage image = canvasFor(label);
    for (auto _ : state) {
        label.render(&image);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SplashLabelRender);

void BM_EffectsLabelMeasure(benchmark::State& state)
{
    Tfx2Label* label = nullptr;
    const auto host = effectsHost(label);
    measure(state, *label);
}
BENCHMARK(BM_EffectsLabelMeasure);

void BM_EffectsLabelPaint(benchmark::State& state)
{
    Tfx2Label* label = nullptr;
    const auto host = effectsHost(label);
    drawCaption(state, *label);
}
BENCHMARK(BM_EffectsLabelPaint);

// A whole splash paint once the window is up: the picture has been stretched by the first
// paint, so this is the cost of every later one (an expose, a window moved over it).
void BM_SplashPaint(benchmark::State& state)
{
    TZast splash;
    QImage image = canvasFor(splash);
    splash.render(&image);
    for (auto _ : state) {
        splash.render(&image);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SplashPaint)->Unit(benchmark::kMicrosecond);

// The first paint of a freshly made splash, which includes stretching the picture.
void BM_SplashFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto splash = std::make_unique<TZast>();
        QImage image = canvasFor(*splash);
        state.ResumeTiming();
        splash->render(&image);
        benchmark::ClobberMemory();
        state.PauseTiming();
        splash.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SplashFirstPaint)->Unit(benchmark::kMicrosecond);

void BM_MainWindowFirstPaint(benchmark::State& state)
{
    SurveyModel model;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<TTandemo>(model);
        QImage image = canvasFor(*window);
        state.ResumeTiming();
        window->render(&image);
        benchmark::ClobberMemory();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowFirstPaint)->Unit(benchmark::kMicrosecond);

void BM_SplashCreate(benchmark::State& state)
{
    for (auto _ : state) {
        TZast splash;
        benchmark::DoNotOptimize(&splash);
    }
}
BENCHMARK(BM_SplashCreate)->Unit(benchmark::kMicrosecond);

void BM_MainWindowCreate(benchmark::State& state)
{
    SurveyModel model;
    for (auto _ : state) {
        TTandemo window(model);
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_MainWindowCreate)->Unit(benchmark::kMicrosecond);

// Everything start-up builds before the event loop: the splash (shown and painted) and the
// other six windows.
void BM_StartupWindowSet(benchmark::State& state)
{
    for (auto _ : state) {
        WindowOwner owner;
        owner.createSplash();
        owner.createWindows();
        benchmark::DoNotOptimize(owner.windows().attract);
    }
}
BENCHMARK(BM_StartupWindowSet)->Unit(benchmark::kMillisecond);

} // namespace
