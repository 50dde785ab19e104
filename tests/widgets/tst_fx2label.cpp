// The effect label as a widget: sizes after auto-size, which changes re-size or repaint, the
// deferral while a form loads, and what lands on screen for each effect. Pixel tests use
// transparent labels, whose letters are drawn without antialiasing, so colours are exact.
#include "fx2label.h"
#include "label_pixels.h"

#include <QAccessible>
#include <QDebug>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <limits>

using Change = std::function<void(Tfx2Label&)>;
Q_DECLARE_METATYPE(Change)

namespace {

const QColor kKey(0, 160, 0);         // the backdrop's palette background: the label's key colour
const QColor kLight(255, 255, 0);     // button highlight
const QColor kDark(0, 0, 255);        // button shadow
const QColor kStripeA(200, 200, 230); // the backdrop's picture
const QColor kStripeB(230, 200, 200);
const QColor kMaroon(128, 0, 0);

QFont smallFont()
{
    QFont font("Liberation Sans");
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

QFont bigFont()
{
    QFont font("DejaVu Sans");
    font.setPixelSize(40);
    font.setBold(true);
    return font;
}

// A parent with a picture of its own (diagonal stripes) and a palette whose roles the label
// uses all differ, so every pixel tells where it came from.
class Backdrop : public QWidget {
public:
    Backdrop()
    {
        QPalette p = palette();
        p.setColor(QPalette::Window, kKey);
        p.setColor(QPalette::Light, kLight);
        p.setColor(QPalette::Dark, kDark);
        setPalette(p);
        resize(400, 300);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        for (int y = 0; y < height(); ++y) {
            for (int x = 0; x < width(); x += 8)
                painter.fillRect(x, y, 8, 1, ((x + y) / 8) % 2 ? kStripeA : kStripeB);
        }
    }
};

// The backdrop's picture under the label, with or without the label on it.
QImage under(Backdrop& backdrop, QWidget& label, bool withLabel)
{
    label.setVisible(withLabel);
    return backdrop.grab(label.geometry()).toImage().convertToFormat(QImage::Format_RGB32);
}

QImage render(Backdrop& backdrop, QWidget& label)
{
    return under(backdrop, label, true);
}

// A transparent label at (10, 10) on the backdrop, in the big font and maroon.
struct Scene {
    Backdrop backdrop;
    Tfx2Label* label = new Tfx2Label(&backdrop);

    Scene()
    {
        label->move(10, 10);
        label->setFont(bigFont());
        label->setFontColor(clMaroon);
        label->setTransparent(true);
    }
    // A fixed box, text centred so every effect has room around it.
    explicit Scene(const QString& caption) : Scene()
    {
        label->setAutoSize(false);
        label->resize(200, 80);
        label->setAlignment(fx2::taCenter);
        label->setLayout(fx2::tlCenter);
        label->setCaption(caption);
    }
    Mask face() { return Mask::ofColour(render(backdrop, *label), kMaroon); }
};

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestFx2Label : public QObject {
    Q_OBJECT

private slots:
    void newLabel();
    void autoSize_data();
    void autoSize();
    void autoSizeKeepsAnchor_data();
    void autoSizeKeepsAnchor();
    void reactions_data();
    void reactions();
    void formLoadingDefersAutoSize();
    void captionIsAccessibleName();
    void settingEffectsCopiesThem();
    void shadow_data();
    void shadow();
    void relief_data();
    void relief();
    void outlineIsHollow();
    void glyphFillsLettersOnly();
    void transparentCopy_data();
    void transparentCopy();
    void opaqueCoversParent();
    void rotation_data();
    void rotation();
    void ampersandDrawnAsItself_data();
    void ampersandDrawnAsItself();
    void devicePixelRatio();
};

void TestFx2Label::newLabel()
{
    QWidget parent;
    const Tfx2Label label(&parent);
    QCOMPARE(label.size(), QSize(65, 17));
    QVERIFY(label.autoSize());
    QVERIFY(!label.transparent());
    QVERIFY(label.testAttribute(Qt::WA_OpaquePaintEvent));
    QVERIFY(label.parentColor());
    QCOMPARE(label.alignment(), fx2::taLeftJustify);
    QCOMPARE(label.layout(), fx2::tlTop);
    QVERIFY(!label.wordWrap());
    QVERIFY(!label.isLoading());
}

void TestFx2Label::autoSize_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("wrapWidth");
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("shadowAngle");
    QTest::addColumn<int>("shadowDepth");
    QTest::addColumn<QSize>("size");

    const QFontMetrics fm(smallFont());
    const int h = fm.height();
    const int w = fm.horizontalAdvance("Tandemo");
    QTest::newRow("empty caption is one space")
        << QString() << 0 << 0 << 315 << 0 << QSize(fm.horizontalAdvance(" "), h);
    QTest::newRow("splash line is one line")
        << "VERSION 1.1.3 *FREEWARE*\r\n"
        << 0 << 0 << 315 << 0 << QSize(fm.horizontalAdvance("VERSION 1.1.3 *FREEWARE*"), h);
    QTest::newRow("two lines") << "Tandemo\r\n1.1" << 0 << 0 << 315 << 0 << QSize(w, 2 * h);
    QTest::newRow("ampersand counts as a letter")
        << "A&B" << 0 << 0 << 315 << 0 << QSize(fm.horizontalAdvance("A&B"), h);
    QTest::newRow("shadow lower right grows")
        << "Tandemo" << 0 << 0 << 315 << 4 << QSize(w + 3, h + 3);
    QTest::newRow("shadow upper left shrinks")
        << "Tandemo" << 0 << 0 << 135 << 4 << QSize(w - 3, h - 3);
    QTest::newRow("shadow beyond the text is empty")
        << "Tandemo" << 0 << 0 << 135 << 200 << QSize(0, 0);
    QTest::newRow("90 degrees stands up") << "Tandemo" << 0 << 90 << 315 << 0 << QSize(h, w);
    QTest::newRow("180 degrees lies flat") << "Tandemo" << 0 << 180 << 315 << 0 << QSize(w, h);
    QTest::newRow("wrap makes two lines")
        << QString::fromUtf8("один два три") << fm.horizontalAdvance(QString::fromUtf8("один два "))
        << 0 << 315 << 0 << QSize(fm.horizontalAdvance(QString::fromUtf8("один два")), 2 * h);
    const QString word = QString::fromUtf8("Достопримечательность");
    QTest::newRow("wide word takes its width")
        << word << 30 << 0 << 315 << 0 << QSize(fm.horizontalAdvance(word), h);
}

void TestFx2Label::autoSize()
{
    QFETCH(QString, caption);
    QFETCH(int, wrapWidth);
    QFETCH(int, angle);
    QFETCH(int, shadowAngle);
    QFETCH(int, shadowDepth);
    QFETCH(QSize, size);

    QWidget parent;
    Tfx2Label label(&parent);
    label.setAutoSize(false);
    label.setGeometry(20, 30, wrapWidth > 0 ? wrapWidth : 65, 17);
    label.setFont(smallFont());
    label.setWordWrap(wrapWidth > 0);
    label.effects()->setAngle(angle);
    label.effects()->setShadowAngle(shadowAngle);
    label.effects()->setShadowDepth(shadowDepth);
    label.setCaption(caption);
    QCOMPARE(label.size(), QSize(wrapWidth > 0 ? wrapWidth : 65, 17));
    label.setAutoSize(true);
    QCOMPARE(label.size(), size);
    QCOMPARE(label.pos(), QPoint(20, 30));
}

void TestFx2Label::autoSizeKeepsAnchor_data()
{
    QTest::addColumn<fx2::TAlignment>("alignment");
    QTest::addColumn<fx2::TTextLayout>("layout");
    QTest::addColumn<bool>("rightToLeft");
    QTest::addColumn<QPoint>("pos");

    // The label starts at (100, 50), 200 x 60.
    const QFontMetrics fm(smallFont());
    const int w = fm.horizontalAdvance("Tandemo");
    const int h = fm.height();
    QTest::newRow("left top") << fx2::taLeftJustify << fx2::tlTop << false << QPoint(100, 50);
    QTest::newRow("right keeps right edge")
        << fx2::taRightJustify << fx2::tlTop << false << QPoint(300 - w, 50);
    QTest::newRow("centre keeps left edge")
        << fx2::taCenter << fx2::tlTop << false << QPoint(100, 50);
    QTest::newRow("layout centre keeps middle")
        << fx2::taLeftJustify << fx2::tlCenter << false << QPoint(100, 50 + (60 - h) / 2);
    QTest::newRow("layout bottom keeps bottom edge")
        << fx2::taLeftJustify << fx2::tlBottom << false << QPoint(100, 110 - h);
    QTest::newRow("right bottom") << fx2::taRightJustify << fx2::tlBottom << false
                                  << QPoint(300 - w, 110 - h);
    QTest::newRow("right-to-left left acts as right")
        << fx2::taLeftJustify << fx2::tlTop << true << QPoint(300 - w, 50);
    QTest::newRow("right-to-left right acts as left")
        << fx2::taRightJustify << fx2::tlTop << true << QPoint(100, 50);
    QTest::newRow("right-to-left centre") << fx2::taCenter << fx2::tlTop << true << QPoint(100, 50);
}

void TestFx2Label::autoSizeKeepsAnchor()
{
    QFETCH(fx2::TAlignment, alignment);
    QFETCH(fx2::TTextLayout, layout);
    QFETCH(bool, rightToLeft);
    QFETCH(QPoint, pos);

    QWidget parent;
    Tfx2Label label(&parent);
    label.setAutoSize(false);
    label.setGeometry(100, 50, 200, 60);
    label.setFont(smallFont());
    label.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    label.setAlignment(alignment);
    label.setLayout(layout);
    label.setCaption("Tandemo");
    label.setAutoSize(true);
    QCOMPARE(label.pos(), pos);
}

void TestFx2Label::reactions_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("resizes");
    QTest::addColumn<bool>("repaints");

    using L = Tfx2Label;
    QTest::newRow("caption") << Change([](L& l) { l.setCaption("Tandemo!"); }) << true << true;
    QTest::newRow("caption without auto-size") << Change([](L& l) {
        l.setAutoSize(false);
        l.setCaption("Tandemo!");
    }) << false << true;
    QTest::newRow("same caption") << Change([](L& l) { l.setCaption("Tandemo"); }) << false
                                  << false;
    QTest::newRow("font") << Change([](L& l) { l.setFont(bigFont()); }) << true << true;
    QTest::newRow("font colour") << Change([](L& l) { l.setFontColor(clRed); }) << true << true;
    QTest::newRow("word wrap") << Change([](L& l) { l.setWordWrap(true); }) << true << true;
    QTest::newRow("auto-size off") << Change([](L& l) { l.setAutoSize(false); }) << false << false;
    QTest::newRow("alignment") << Change([](L& l) { l.setAlignment(fx2::taRightJustify); }) << false
                               << true;
    QTest::newRow("layout") << Change([](L& l) { l.setLayout(fx2::tlBottom); }) << false << true;
    QTest::newRow("transparent") << Change([](L& l) { l.setTransparent(true); }) << false << true;
    QTest::newRow("colour") << Change([](L& l) { l.setColor(clRed); }) << false << true;
    QTest::newRow("disabled") << Change([](L& l) { l.setEnabled(false); }) << false << true;
    QTest::newRow("effect angle") << Change([](L& l) { l.effects()->setAngle(90); }) << true
                                  << true;
    QTest::newRow("effect angle equal after normalising")
        << Change([](L& l) { l.effects()->setAngle(360); }) << false << false;
    QTest::newRow("effects copied in") << Change([](L& l) {
        Tfx2TextEffects3D other;
        other.setShadowDepth(4);
        l.setEffects(&other);
    }) << true << true;
}

void TestFx2Label::reactions()
{
    QFETCH(Change, change);
    QFETCH(bool, resizes);
    QFETCH(bool, repaints);

    QWidget parent;
    parent.resize(400, 200);
    Tfx2Label label(&parent);
    label.setFont(smallFont());
    label.setCaption("Tandemo");
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    // Off the fitted size, so that any auto-size shows.
    label.resize(300, 100);
    QTest::qWait(20);

    PaintCounter counter;
    label.installEventFilter(&counter);
    change(label);
    QCOMPARE(label.size() != QSize(300, 100), resizes);
    if (repaints) {
        QTRY_VERIFY(counter.paints > 0);
    } else {
        QTest::qWait(50);
        QCOMPARE(counter.paints, 0);
    }
}

void TestFx2Label::formLoadingDefersAutoSize()
{
    QWidget parent;
    QPointer<Tfx2Label> label;
    QPointer<Tfx2Label> dropped;
    const QFontMetrics fm(smallFont());
    {
        Tfx2CustomLabel::FormLoading loading;
        label = new Tfx2Label(&parent);
        dropped = new Tfx2Label(&parent);
        QVERIFY(label->isLoading());
        label->setGeometry(40, 60, 65, 17);
        label->setFont(smallFont());
        label->setCaption("VERSION 1.1.3 *FREEWARE*\r\n");
        label->effects()->setShadowDepth(4);
        QCOMPARE(label->geometry(), QRect(40, 60, 65, 17));
        delete dropped;
    }
    QVERIFY(!label->isLoading());
    QCOMPARE(label->geometry(),
             QRect(40, 60, fm.horizontalAdvance("VERSION 1.1.3 *FREEWARE*") + 3, fm.height() + 3));

    // A label made after the form is loaded auto-sizes straight away.
    Tfx2Label later(&parent);
    later.setFont(smallFont());
    later.setCaption("Tandemo");
    QVERIFY(!later.isLoading());
    QCOMPARE(later.size(), QSize(fm.horizontalAdvance("Tandemo"), fm.height()));
}

void TestFx2Label::captionIsAccessibleName()
{
    QWidget parent;
    Tfx2Label label(&parent);
    label.setCaption("VERSION 1.1.3 *FREEWARE*\r\n");
    QCOMPARE(label.accessibleName(), QString("VERSION 1.1.3 *FREEWARE*"));
    label.setCaption("two\r\nlines\rand\nmore");
    QCOMPARE(label.accessibleName(), QString("two lines and more"));
    label.setCaption("VERSION 1.1.3 *FREEWARE*");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&label);
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->text(QAccessible::Name), QString("VERSION 1.1.3 *FREEWARE*"));
}

void TestFx2Label::settingEffectsCopiesThem()
{
    QWidget parent;
    Tfx2Label label(&parent);
    label.setFont(smallFont());
    label.setCaption("Tandemo");
    const QSize fitted = label.size();

    auto other = std::make_unique<Tfx2TextEffects3D>();
    other->setShadowDepth(4);
    other->setOutline(true);
    label.setEffects(other.get());
    other.reset();
    QCOMPARE(label.effects()->shadowDepth(), 4);
    QVERIFY(!label.effects()->outline());
    QCOMPARE(label.size(), fitted + QSize(3, 3));
}

void TestFx2Label::shadow_data()
{
    QTest::addColumn<int>("shadowAngle");
    QTest::addColumn<int>("shadowDepth");
    QTest::addColumn<QPoint>("offset");

    QTest::newRow("315/4 lower right") << 315 << 4 << QPoint(3, 3);
    QTest::newRow("135/4 upper left") << 135 << 4 << QPoint(-3, -3);
    QTest::newRow("90/6 straight up") << 90 << 6 << QPoint(0, -6);
    QTest::newRow("depth 0 draws none") << 315 << 0 << QPoint(0, 0);
    QTest::newRow("depth 0 at 200 draws none") << 200 << 0 << QPoint(0, 0);
    // A shadow thrown past the label leaves nothing of itself in view, and reaching it must
    // not step outside the int range when the centred lines are added.
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    QTest::newRow("deepest to the right") << 0 << kMax << QPoint(0, 0);
    QTest::newRow("deepest to the left") << 180 << kMax << QPoint(0, 0);
    QTest::newRow("deepest downward") << 270 << kMax << QPoint(0, 0);
    QTest::newRow("most negative upward") << 270 << kMin << QPoint(0, 0);
    QTest::newRow("most negative diagonal") << 45 << kMin << QPoint(0, 0);
}

void TestFx2Label::shadow()
{
    QFETCH(int, shadowAngle);
    QFETCH(int, shadowDepth);
    QFETCH(QPoint, offset);

    Scene scene("HO");
    const Mask face = scene.face();
    QVERIFY(face.count() > 100);
    scene.label->effects()->setShadowAngle(shadowAngle);
    scene.label->effects()->setShadowDepth(shadowDepth);
    const QImage image = render(scene.backdrop, *scene.label);
    // The shadow (in the default shadow colour, the palette's dark role) is the face moved
    // by the offset, hidden where the face covers it; the face itself does not move.
    QVERIFY(Mask::ofColour(image, kDark) == face.shifted(offset.x(), offset.y()).minus(face));
    QVERIFY(Mask::ofColour(image, kMaroon) == face);
}

void TestFx2Label::relief_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<fx2::TTextStyle3D>("style");
    QTest::addColumn<QPoint>("highlight");
    QTest::addColumn<QColor>("faceColour");

    QTest::newRow("normal has none") << true << fx2::tsNormal << QPoint(0, 0) << kMaroon;
    QTest::newRow("raised lit above left") << true << fx2::tsRaised << QPoint(-1, -1) << kMaroon;
    QTest::newRow("lowered lit below right") << true << fx2::tsLowered << QPoint(1, 1) << kMaroon;
    QTest::newRow("disabled normal") << false << fx2::tsNormal << QPoint(1, 1) << kDark;
    QTest::newRow("disabled raised") << false << fx2::tsRaised << QPoint(1, 1) << kDark;
    QTest::newRow("disabled lowered") << false << fx2::tsLowered << QPoint(1, 1) << kDark;
}

void TestFx2Label::relief()
{
    QFETCH(bool, enabled);
    QFETCH(fx2::TTextStyle3D, style);
    QFETCH(QPoint, highlight);
    QFETCH(QColor, faceColour);

    Scene scene("HO");
    const Mask face = scene.face();
    scene.label->effects()->setStyle(style);
    scene.label->setEnabled(enabled);
    const QImage image = render(scene.backdrop, *scene.label);
    QVERIFY(Mask::ofColour(image, faceColour) == face);
    QVERIFY(Mask::ofColour(image, kLight) ==
            face.shifted(highlight.x(), highlight.y()).minus(face));
}

void TestFx2Label::outlineIsHollow()
{
    Scene scene("HO");
    const Mask face = scene.face();
    scene.label->effects()->setOutline(true);
    scene.label->effects()->setPen({clRed, 1, Qt::SolidLine, QPainter::CompositionMode_SourceOver});
    const QImage image = render(scene.backdrop, *scene.label);

    const Mask stroke = Mask::ofColour(image, Qt::red);
    const Mask inside = face.eroded(2);
    QVERIFY(inside.count() > 50);
    QVERIFY(stroke.count() > 50);
    QCOMPARE(Mask::ofColour(image, kMaroon).count(), 0);
    QVERIFY(stroke.within(face.dilated(2)));
    QCOMPARE(stroke.minus(inside).count(), stroke.count());
}

void TestFx2Label::glyphFillsLettersOnly()
{
    Scene scene("HO");
    const Mask face = scene.face();
    const QImage empty = under(scene.backdrop, *scene.label, false);
    QImage glyph(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x)
            glyph.setPixel(x, y, qRgb(40 * x + 20, 60 * y + 30, 250));
    }
    scene.label->effects()->setGlyph(glyph);
    const QImage image = render(scene.backdrop, *scene.label);

    // Inside the letters the tiles start at the label's top-left corner; away from them the
    // parent's picture is untouched; the face colour appears nowhere.
    QCOMPARE(Mask::ofColour(image, kMaroon).count(), 0);
    const Mask inside = face.eroded(1);
    QVERIFY(inside.count() > 50);
    const Mask margin = face.dilated(1);
    int wrong = 0;
    inside.forEach([&](int x, int y) {
        if (inside.at(x, y) && image.pixel(x, y) != glyph.pixel(x % 5, y % 3))
            ++wrong;
    });
    margin.forEach([&](int x, int y) {
        if (!margin.at(x, y) && image.pixel(x, y) != empty.pixel(x, y))
            ++wrong;
    });
    QCOMPARE(wrong, 0);
}

void TestFx2Label::transparentCopy_data()
{
    QTest::addColumn<QColor>("fontColour");
    QTest::addColumn<bool>("lettersShow");

    QTest::newRow("letters land on the picture") << kMaroon << true;
    QTest::newRow("letters in the key colour are left out") << kKey << false;
}

void TestFx2Label::transparentCopy()
{
    QFETCH(QColor, fontColour);
    QFETCH(bool, lettersShow);

    Scene scene("HOBO");
    const Mask face = scene.face();
    const QImage empty = under(scene.backdrop, *scene.label, false);
    scene.label->setTextColor(fontColour);
    const QImage image = render(scene.backdrop, *scene.label);

    // Around the letters and in their counters the parent's stripes show; the letters are in
    // their colour unless that colour is the key.
    int wrong = 0;
    face.forEach([&](int x, int y) {
        const QRgb expected = face.at(x, y) && lettersShow ? fontColour.rgb() : empty.pixel(x, y);
        if (image.pixel(x, y) != expected)
            ++wrong;
    });
    QCOMPARE(wrong, 0);
    QVERIFY(Mask::ofColour(image, kStripeA).count() > 1000);
}

void TestFx2Label::opaqueCoversParent()
{
    Scene scene("HO");
    scene.label->setTransparent(false);
    QVERIFY(scene.label->testAttribute(Qt::WA_OpaquePaintEvent));
    const QImage image = render(scene.backdrop, *scene.label);
    QCOMPARE(Mask::ofColour(image, kStripeA).count(), 0);
    QCOMPARE(Mask::ofColour(image, kStripeB).count(), 0);
    QVERIFY(Mask::ofColour(image, kKey).count() > image.width() * image.height() / 2);
    QVERIFY(Mask::ofColour(image, kMaroon).count() > 100);
}

void TestFx2Label::rotation_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<bool>("inkLow");

    // "M" leads and "..." trails: turned counter-clockwise by 90 degrees the text reads upward,
    // so the heavy end is at the bottom; at 270 it reads downward.
    QTest::newRow("90 reads upward") << 90 << true;
    QTest::newRow("270 reads downward") << 270 << false;
}

void TestFx2Label::rotation()
{
    QFETCH(int, angle);
    QFETCH(bool, inkLow);

    Scene scene;
    scene.label->setCaption("MM...");
    scene.label->effects()->setAngle(angle);
    QVERIFY(scene.label->height() > 2 * scene.label->width());

    const Mask ink = scene.face();
    int upper = 0;
    int lower = 0;
    ink.forEach([&](int x, int y) {
        if (ink.at(x, y))
            ++(y < ink.height() / 2 ? upper : lower);
    });
    QVERIFY(upper + lower > 200);
    QCOMPARE(lower > 2 * upper, inkLow);
    QCOMPARE(upper > 2 * lower, !inkLow);
}

void TestFx2Label::ampersandDrawnAsItself_data()
{
    QTest::addColumn<bool>("showAccelChar");
    QTest::newRow("accelerators shown") << true;
    QTest::newRow("accelerators hidden") << false;
}

void TestFx2Label::ampersandDrawnAsItself()
{
    QFETCH(bool, showAccelChar);

    Scene scene;
    scene.label->setShowAccelChar(showAccelChar);
    scene.label->setCaption("A&B");
    const Mask ink = scene.face();

    // The same three characters written plainly, without antialiasing or hinting, at the
    // cell's origin.
    QImage expected(scene.label->size(), QImage::Format_RGB32);
    expected.fill(kKey);
    {
        QPainter painter(&expected);
        QFont font = bigFont();
        font.setStyleStrategy(QFont::NoAntialias);
        font.setHintingPreference(QFont::PreferNoHinting);
        painter.setFont(font);
        painter.setPen(kMaroon);
        painter.drawText(QPointF(0, QFontMetrics(bigFont()).ascent()), "A&B");
    }
    QVERIFY(ink.count() > 100);
    QVERIFY(ink == Mask::ofColour(expected, kMaroon));
}

void TestFx2Label::devicePixelRatio()
{
    QWidget parent;
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, kKey);
    parent.setPalette(palette);
    Tfx2Label label(&parent);
    label.setFont(smallFont());
    label.setFontColor(clMaroon);
    label.setTransparent(true);
    label.setCaption("VERSION 1.1.3 *FREEWARE*\r\n");

    auto renderAt = [&](qreal ratio) {
        QImage image(label.size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(kKey);
        label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    };
    const QImage single = renderAt(1);
    const QImage twice = renderAt(2);
    QCOMPARE(twice.size(), single.size() * 2);

    const Mask ink1 = Mask::ofColour(single, kMaroon);
    const Mask ink2 = Mask::ofColour(twice, kMaroon);
    QVERIFY(ink1.count() > 100);
    // Sharp: only letter and key pixels, no blends at either ratio.
    QCOMPARE(ink1.count() + Mask::ofColour(single, kKey).count(), single.width() * single.height());
    QCOMPARE(ink2.count() + Mask::ofColour(twice, kKey).count(), twice.width() * twice.height());
    // Same layout: the inked area covers the same logical box.
    auto bounds = [](const Mask& ink, int scale) {
        QRect box;
        ink.forEach([&](int x, int y) {
            if (ink.at(x, y))
                box |= QRect(x / scale, y / scale, 1, 1);
        });
        return box;
    };
    const QRect box1 = bounds(ink1, 1);
    const QRect box2 = bounds(ink2, 2);
    const auto near = [](QPoint a, QPoint b) {
        return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1;
    };
    QString boxes;
    QDebug(&boxes) << box1 << "against" << box2;
    QVERIFY2(near(box1.topLeft(), box2.topLeft()) && near(box1.bottomRight(), box2.bottomRight()),
             qPrintable(boxes));
    // Drawn at the finer ratio rather than enlarged: some 2 x 2 blocks are not uniform.
    int mixedBlocks = 0;
    for (int y = 0; y + 1 < twice.height(); y += 2) {
        for (int x = 0; x + 1 < twice.width(); x += 2) {
            const int n =
                ink2.at(x, y) + ink2.at(x + 1, y) + ink2.at(x, y + 1) + ink2.at(x + 1, y + 1);
            mixedBlocks += n != 0 && n != 4;
        }
    }
    QVERIFY(mixedBlocks > 20);
}

QTEST_MAIN(TestFx2Label)
#include "tst_fx2label.moc"
