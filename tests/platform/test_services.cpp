// The platform services: the title rule, the error handler's full stop, the message
// boxes as a user sees them, and the addresses handed to the desktop.

#include "application_title.h"
#include "event_guard.h"
#include "link_opener.h"
#include "message_boxes.h"
#include "modal_watcher.h"
#include "url_recorder.h"
#include "window_centring.h"
#include "window_look.h"

#include <QFont>
#include <QFontInfo>
#include <QPainter>
#include <QScreen>
#include <QtTest>
#include <stdexcept>

#include "font_substitutions.h"

using TextRule = QString (*)(const QString&);
Q_DECLARE_METATYPE(TextRule)

class TestServices : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { closeLeftoverModals(); }

    void textRules_data();
    void textRules();
    void messageBoxAsShown_data();
    void messageBoxAsShown();
    void clientPlacedForCentredFrame_data();
    void clientPlacedForCentredFrame();
    void formedAddresses_data();
    void formedAddresses();
    void designedFamiliesLandOnInstalledOnes_data();
    void designedFamiliesLandOnInstalledOnes();
};

// The title taken from the program's file name, and the full stop an error report gets
// unless its message is empty or ends at or below the stop in character order.
void TestServices::textRules_data()
{
    QTest::addColumn<TextRule>("rule");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("shown");
    const auto rowsOf = [](TextRule rule) {
        return [rule](const char* name, const char* given, const char* shown) {
            QTest::newRow(name) << rule << QString::fromUtf8(given) << QString::fromUtf8(shown);
        };
    };
    const auto title = rowsOf(&applicationTitleFromFileName);
    title("title: program", "Tandemo", "Tandemo");
    title("title: full path", "/usr/bin/Tandemo", "Tandemo");
    title("title: capitals with two stops", "SURVEY.APP.EXE", "Survey");
    title("title: lower case stays", "tandemo", "tandemo");
    title("title: first kept, rest lowered", "tANDEMO.bin", "tandemo");
    title("title: cyrillic lowered", "ТАНДЕМ.EXE", "Тандем");
    title("title: leading stop", ".hidden", "");
    title("title: single letter", "X.EXE", "X");
    const auto stop = rowsOf(&MessageBoxes::withFullStop);
    stop("stop: empty", "", "");
    stop("stop: letter", "'abc' is not a valid integer value",
         "'abc' is not a valid integer value.");
    stop("stop: digit", "code 7", "code 7.");
    stop("stop: full stop", "done.", "done.");
    stop("stop: exclamation", "stop!", "stop!");
    stop("stop: space", "trailing ", "trailing ");
    stop("stop: slash is above the stop", "a/b/", "a/b/.");
    stop("stop: comma is below the stop", "a,", "a,");
    stop("stop: cyrillic letter", "ошибка", "ошибка.");
    stop("stop: quote is below the stop", "'x'", "'x'");
}

void TestServices::textRules()
{
    QFETCH(TextRule, rule);
    QFETCH(QString, given);
    QTEST(rule(given), "shown");
}

void TestServices::messageBoxAsShown_data()
{
    QTest::addColumn<bool>("thrown"); // from a guarded handler, or else shown as information
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QMessageBox::Icon>("icon");
    const auto row = [](const char* name, bool thrown, const char* message, const char* shown) {
        QTest::newRow(name) << thrown << QString::fromUtf8(message) << QString::fromUtf8(shown)
                            << (thrown ? QMessageBox::Critical : QMessageBox::NoIcon);
    };
    row("conversion error", true, "'abc' is not a valid integer value",
        "'abc' is not a valid integer value.");
    row("error already stopped", true, "Fine.", "Fine.");
    row("plain", false, "Привет", "Привет");
}

void TestServices::messageBoxAsShown()
{
    QFETCH(bool, thrown);
    QFETCH(QString, message);
    ModalWatcher watcher;
    if (thrown) {
        guarded([&] { throw std::runtime_error(message.toStdString()); })();
    } else {
        MessageBoxes::inform(message);
    }
    const ModalRecord& box = watcher.record();
    QVERIFY(box.seen);
    QTEST(box.text, "shown");
    QTEST(box.icon, "icon");
    QCOMPARE(box.title, applicationTitle());
    QCOMPARE(box.buttonCount, 1);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY2(qAbs(box.frame.center().x() - screen.center().x()) <= 1 &&
                 qAbs(box.frame.center().y() - screen.center().y()) <= 1,
             "the box is centred on the screen");
}

// Screen and client in logical pixels, the frame in device pixels; odd halves round up.
void TestServices::clientPlacedForCentredFrame_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("no frame") << QRect(0, 0, 1024, 768) << QSize(600, 320) << QMargins() << qreal(1)
                              << QPoint(212, 224);
    QTest::newRow("classic frame") << QRect(0, 0, 1024, 768) << QSize(600, 320)
                                   << WindowCentring::classicFrame << qreal(1) << QPoint(212, 234);
    QTest::newRow("thin borders, tall caption")
        << QRect(0, 0, 1024, 768) << QSize(600, 320) << QMargins(1, 24, 1, 1) << qreal(1)
        << QPoint(212, 236);
    QTest::newRow("second monitor at double density")
        << QRect(1280, 0, 1280, 800) << QSize(300, 200) << QMargins(5, 30, 5, 5) << qreal(2)
        << QPoint(1770, 306);
}

void TestServices::clientPlacedForCentredFrame()
{
    QFETCH(QRect, screen);
    QFETCH(QSize, client);
    QFETCH(QMargins, frame);
    QFETCH(qreal, ratio);
    QFETCH(QPoint, expected);
    QCOMPARE(WindowCentring::clientPosition(screen, client, frame, ratio), expected);
}

void TestServices::formedAddresses_data()
{
    QTest::addColumn<QString>("formed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("delivered");
    const auto row = [](const char* name, const QString& formed, const char* expected,
                        const char* delivered = nullptr) {
        QTest::newRow(name) << formed << QString(expected)
                            << QString(delivered ? delivered : expected);
    };
    row("developer site", Links::developerSite(), "http://tandemo.example");
    row("consultation", Links::consultationPage(), "http://tandemo.example/consult.htm");
    row("mail keeps its space when formed", Links::developerMail(),
        "mailto: author@tandemo.example", "mailto:author@tandemo.example");
    row("shop start", Links::shopStartPage(), "http://shop.example/porta.phtml?from=tandemo");
    row("shop partner", Links::shopPartnerPage(), "http://shop.example/partner.phtml?from=tandemo");
    row("shop price", Links::shopPricePage(),
        "http://www.shop.example/porta.phtml?from=tandemo&to=price4.htm");
}

void TestServices::formedAddresses()
{
    QFETCH(QString, formed);
    QFETCH(QString, expected);
    QFETCH(QString, delivered);
    QCOMPARE(formed, expected);
    UrlRecorder recorder;
    LinkOpener::open(formed);
    QCOMPARE(recorder.urls.size(), 1);
    QVERIFY(recorder.urls.first().isValid());
    QCOMPARE(recorder.urls.first().toString(QUrl::FullyEncoded), delivered);
}

void TestServices::designedFamiliesLandOnInstalledOnes_data()
{
    QTest::addColumn<QString>("designed");
    QTest::addColumn<QString>("installed");
    for (const auto& [designed, installed] : {std::pair{"MS Sans Serif", "Liberation Sans"},
                                              {"Arial", "Liberation Sans"},
                                              {"Times New Roman", "Liberation Serif"},
                                              {"Tahoma", "Liberation Sans"},
                                              {"Lucida Sans", "DejaVu Sans"},
                                              {"Small Fonts", "Liberation Sans"},
                                              {"Bookman Old Style", "URW Bookman"}}) {
        QTest::newRow(designed) << QString(designed) << QString(installed);
    }
}

void TestServices::designedFamiliesLandOnInstalledOnes()
{
    QFETCH(QString, designed);
    QFETCH(QString, installed);
    registerFontSubstitutions();
    QFont font(designed);
    font.setPixelSize(13);
    // Where two foundries share a family, Qt names the foundry after it in brackets.
    QCOMPARE(QFontInfo(font).family().section(QStringLiteral(" ["), 0, 0), installed);

    // Bold, the family's boldest face is drawn as it is, never thickened by the renderer.
    const QFont bold = WindowLook::pixelFont(designed, 13, true);
    QFont face(QFontInfo(bold).family());
    face.setStyleName(QFontInfo(bold).styleName());
    face.setPixelSize(13);
    const auto draw = [](const QFont& f) {
        QImage image(160, 24, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(f);
        painter.drawText(4, 18, QStringLiteral("ИДЁТ ОПРОС 1.1"));
        return image;
    };
    QVERIFY2(draw(bold) == draw(face), qPrintable(QFontInfo(bold).styleName()));
}

QTEST_MAIN(TestServices)
#include "test_services.moc"
