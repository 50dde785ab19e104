// The settings object: stored values, normalisation, when it notifies, and what a copy takes.
#include "text_effects.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

using Write = std::function<void(Tfx2TextEffects3D&)>;
Q_DECLARE_METATYPE(Write)

class TestTextEffects : public QObject {
    Q_OBJECT

private slots:
    void systemColoursFollowPalette_data();
    void systemColoursFollowPalette();
    void anglesNormalise_data();
    void anglesNormalise();
    void notifiesOnlyOnChange_data();
    void notifiesOnlyOnChange();
    void assignCopiesSixFields_data();
    void assignCopiesSixFields();
    void assignRejectsOthers_data();
    void assignRejectsOthers();
};

void TestTextEffects::systemColoursFollowPalette_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QColor>("expected");

    // The palette below gives every role it uses a colour of its own.
    QTest::newRow("face is the window") << clBtnFace.value() << QColor(1, 2, 3);
    QTest::newRow("shadow is dark") << clBtnShadow.value() << QColor(4, 5, 6);
    QTest::newRow("highlight is light") << clBtnHighlight.value() << QColor(7, 8, 9);
    QTest::newRow("window text") << clWindowText.value() << QColor(10, 11, 12);
    QTest::newRow("plain colour ignores palette") << clMaroon.value() << QColor(128, 0, 0);
    QTest::newRow("plain colour bytes") << TColor::fromRgb(1, 2, 3).value() << QColor(1, 2, 3);
}

void TestTextEffects::systemColoursFollowPalette()
{
    QFETCH(quint32, value);
    QFETCH(QColor, expected);

    QPalette palette;
    palette.setColor(QPalette::Window, QColor(1, 2, 3));
    palette.setColor(QPalette::Dark, QColor(4, 5, 6));
    palette.setColor(QPalette::Light, QColor(7, 8, 9));
    palette.setColor(QPalette::Text, QColor(10, 11, 12));
    QCOMPARE(TColor(value).resolve(palette), expected);
}

void TestTextEffects::anglesNormalise_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("notifications");

    struct Row {
        const char* name;
        int start;
        int written;
        int stored;
        int notifications;
    };
    const Row rows[] = {
        {"-90 is 270", 0, -90, 270, 1},
        {"360 is 0, unchanged", 0, 360, 0, 0},
        {"725 is 5", 0, 725, 5, 1},
        {"725 onto 5 is no change", 5, 725, 5, 0},
        {"-90 onto 270 is no change", 270, -90, 270, 0},
        {"-360 is 0", 90, -360, 0, 1},
        {"-1 is 359", 0, -1, 359, 1},
        {"359 stays", 0, 359, 359, 1},
        {"most negative", 0, std::numeric_limits<int>::min(), 232, 1},
    };
    for (const char* property : {"angle", "shadowAngle"}) {
        for (const Row& row : rows) {
            QTest::addRow("%s: %s", property, row.name)
                << QByteArray(property) << row.start << row.written << row.stored
                << row.notifications;
        }
    }
}

void TestTextEffects::anglesNormalise()
{
    QFETCH(QByteArray, property);
    QFETCH(int, start);
    QFETCH(int, written);
    QFETCH(int, stored);
    QFETCH(int, notifications);

    Tfx2TextEffects3D effects;
    QVERIFY(effects.setProperty(property, start));
    QSignalSpy spy(&effects, &Tfx2TextEffects3D::changed);
    QVERIFY(effects.setProperty(property, written));
    QCOMPARE(effects.property(property).toInt(), stored);
    QCOMPARE(spy.count(), notifications);
}

void TestTextEffects::notifiesOnlyOnChange_data()
{
    QTest::addColumn<Write>("write");
    QTest::addColumn<int>("notifications");

    using E = Tfx2TextEffects3D;
    const EffectPen pen;
    QTest::newRow("same depth") << Write([](E& e) { e.setShadowDepth(0); }) << 0;
    QTest::newRow("new depth") << Write([](E& e) { e.setShadowDepth(3); }) << 1;
    QTest::newRow("negative depth") << Write([](E& e) { e.setShadowDepth(-4); }) << 1;
    QTest::newRow("same shadow colour") << Write([](E& e) { e.setShadowColor(clBtnShadow); }) << 0;
    QTest::newRow("new shadow colour") << Write([](E& e) { e.setShadowColor(clRed); }) << 1;
    QTest::newRow("same style") << Write([](E& e) { e.setStyle(fx2::tsNormal); }) << 0;
    QTest::newRow("new style") << Write([](E& e) { e.setStyle(fx2::tsRaised); }) << 1;
    QTest::newRow("same outline") << Write([](E& e) { e.setOutline(false); }) << 0;
    QTest::newRow("new outline") << Write([](E& e) { e.setOutline(true); }) << 1;
    QTest::newRow("same pen") << Write([=](E& e) { e.setPen(pen); }) << 0;
    QTest::newRow("pen colour") << Write([=](E& e) {
        e.setPen({clRed, pen.width, pen.style, pen.mode});
    }) << 1;
    QTest::newRow("pen width") << Write([=](E& e) {
        e.setPen({pen.color, 2, pen.style, pen.mode});
    }) << 1;
    QTest::newRow("pen style") << Write([=](E& e) {
        e.setPen({pen.color, pen.width, Qt::DashLine, pen.mode});
    }) << 1;
    QTest::newRow("pen mode") << Write([=](E& e) {
        e.setPen({pen.color, pen.width, pen.style, QPainter::RasterOp_SourceXorDestination});
    }) << 1;
    QTest::newRow("glyph each time") << Write([](E& e) {
        QImage glyph(2, 2, QImage::Format_RGB32);
        glyph.fill(Qt::red);
        e.setGlyph(glyph);
        e.setGlyph(glyph);
    }) << 2;
}

void TestTextEffects::notifiesOnlyOnChange()
{
    QFETCH(Write, write);
    QFETCH(int, notifications);

    Tfx2TextEffects3D effects;
    QSignalSpy spy(&effects, &Tfx2TextEffects3D::changed);
    write(effects);
    QCOMPARE(spy.count(), notifications);
    for (const QList<QVariant>& arguments : std::as_const(spy))
        QCOMPARE(arguments.at(0).value<Tfx2TextEffects3D*>(), &effects);
}

void TestTextEffects::assignCopiesSixFields_data()
{
    QTest::addColumn<bool>("penDiffers");
    QTest::addColumn<int>("notifications");

    // A differing pen announces itself, then the copy as a whole does.
    QTest::newRow("pen differs") << true << 2;
    QTest::newRow("pen equal") << false << 1;
}

void TestTextEffects::assignCopiesSixFields()
{
    QFETCH(bool, penDiffers);
    QFETCH(int, notifications);

    QImage sourceGlyph(3, 3, QImage::Format_RGB32);
    sourceGlyph.fill(Qt::blue);
    Tfx2TextEffects3D source;
    source.setAngle(30);
    if (penDiffers)
        source.setPen({clRed, 3, Qt::DotLine, QPainter::CompositionMode_SourceOver});
    source.setShadowAngle(135);
    source.setShadowDepth(-7);
    source.setShadowColor(clTeal);
    source.setStyle(fx2::tsLowered);
    source.setGlyph(sourceGlyph);
    source.setOutline(true);

    QImage ownGlyph(5, 5, QImage::Format_RGB32);
    ownGlyph.fill(Qt::green);
    Tfx2TextEffects3D target;
    target.setGlyph(ownGlyph);
    QSignalSpy spy(&target, &Tfx2TextEffects3D::changed);
    target.assign(&source);

    QCOMPARE(spy.count(), notifications);
    QCOMPARE(target.angle(), 30);
    QCOMPARE(target.pen(), source.pen());
    QCOMPARE(target.shadowAngle(), 135);
    QCOMPARE(target.shadowDepth(), -7);
    QCOMPARE(target.shadowColor(), clTeal);
    QCOMPARE(target.style(), fx2::tsLowered);
    QCOMPARE(target.glyph().size(), QSize(5, 5));
    QCOMPARE(target.outline(), false);
}

void TestTextEffects::assignRejectsOthers_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");

    QTest::newRow("plain object") << "QObject"
                                  << "Cannot assign a QObject to a Tfx2TextEffects3D";
    QTest::newRow("timer") << "QTimer"
                           << "Cannot assign a QTimer to a Tfx2TextEffects3D";
    QTest::newRow("nothing") << "null"
                             << "Cannot assign a nil to a Tfx2TextEffects3D";
}

void TestTextEffects::assignRejectsOthers()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);

    QObject object;
    QTimer timer;
    const QObject* source = kind == "QObject" ? &object : kind == "QTimer" ? &timer : nullptr;

    Tfx2TextEffects3D effects;
    effects.setAngle(45);
    effects.setShadowDepth(2);
    QSignalSpy spy(&effects, &Tfx2TextEffects3D::changed);
    try {
        effects.assign(source);
        QFAIL("assign accepted a foreign object");
    } catch (const AssignError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
    QCOMPARE(effects.angle(), 45);
    QCOMPARE(effects.shadowDepth(), 2);
    QCOMPARE(spy.count(), 0);
}

QTEST_APPLESS_MAIN(TestTextEffects)
#include "tst_text_effects.moc"
