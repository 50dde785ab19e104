// Every picture and help text reaches the program through the resources of tandemo_assets:
// pictures at their designed sizes and formats, texts with their designed lines.

#include "assets.h"

#include <QDirIterator>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
#include <QResource>
#include <QStringDecoder>
#include <QTest>
#include <QtEndian>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

QStringList linesOf(const QString& path)
{
    return Assets::readText(path).split(QLatin1Char('\n'));
}

// Colour type and palette size of a PNG file, read from its chunks.
struct PngHeader {
    int bitDepth = -1;
    int colourType = -1;
    int paletteEntries = 0;
};

PngHeader readPngHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    PngHeader header;
    qsizetype at = 8; // after the signature
    while (at + 8 <= data.size()) {
        const auto length = qFromBigEndian<quint32>(data.constData() + at);
        const QByteArray type = data.mid(at + 4, 4);
        if (type == "IHDR") {
            header.bitDepth = static_cast<unsigned char>(data.at(at + 8 + 8));
            header.colourType = static_cast<unsigned char>(data.at(at + 8 + 9));
        } else if (type == "PLTE") {
            header.paletteEntries = static_cast<int>(length / 3);
        }
        at += 12 + length;
    }
    return header;
}

bool isGrey(QRgb pixel)
{
    return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel);
}

bool isSaturated(QRgb pixel)
{
    const int high = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    const int low = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    return high - low > 60;
}

// Lettering colours of the splash picture: its red title and its magenta request to wait.
bool isRedLettering(QRgb p)
{
    return qRed(p) > 170 && qGreen(p) < 70 && qBlue(p) < 70;
}

bool isMagentaLettering(QRgb p)
{
    return qRed(p) > 190 && qBlue(p) > 190 && qGreen(p) < 90;
}

int countPixels(const QImage& image, const QRect& area, bool (*match)(QRgb))
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += match(image.pixel(x, y)) ? 1 : 0;
    return count;
}

// Width of a line as a plain text box lays it out: tabs advance to the next multiple of
// the box's tab distance.
double lineWidth(const QFontMetricsF& metrics, const QString& line, double tabDistance)
{
    double x = 0;
    QString run;
    for (const QChar c : line) {
        if (c != QLatin1Char('\t')) {
            run += c;
            continue;
        }
        x += metrics.horizontalAdvance(run);
        run.clear();
        x = (std::floor(x / tabDistance) + 1) * tabDistance;
    }
    return x + metrics.horizontalAdvance(run);
}

// The widest of the free families a window's "MS Sans Serif" may end up as, at 11 px.
QFont widestStandIn()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    return font;
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT

private slots:
    void pictureHasDesignedSize_data();
    void pictureHasDesignedSize();
    void everyResourceIsListed();
    void splashIsTwentyFourBitRgb();
    void stretchedSplashOnlyForItsFrame_data();
    void stretchedSplashOnlyForItsFrame();
    void programIconUsesTheSixteenVgaColours();
    void glyphHasColourAndGreyHalves_data();
    void glyphHasColourAndGreyHalves();
    void splashLetteringStaysInTheShownPart_data();
    void splashLetteringStaysInTheShownPart();
    void splashKeepsALightCalmSpotForTheVersionLine();

    void textIsCleanUtf8_data();
    void textIsCleanUtf8();
    void missingTextReadsEmpty();
    void recommendationsHaveThreeSections();
    void recommendationsTellWhatTheDesignAsks_data();
    void recommendationsTellWhatTheDesignAsks();
    void disclaimerOpensAsDesigned();
    void disclaimerReservation_data();
    void disclaimerReservation();
    void attractionHasThreeIndentedParagraphs();
    void textLinesFitTheirBox_data();
    void textLinesFitTheirBox();
    void disclaimerLinesAreNoWiderThanItsOpening_data();
    void disclaimerLinesAreNoWiderThanItsOpening();
};

void TestResources::pictureHasDesignedSize_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("transparent");
    QTest::newRow("site banner") << ":/assets/banner_site.png" << QSize(174, 79) << false;
    QTest::newRow("shop banner") << ":/assets/banner_shop.png" << QSize(219, 97) << false;
    QTest::newRow("partner banner") << ":/assets/banner_partner.png" << QSize(218, 98) << false;
    QTest::newRow("consultation glyph") << ":/assets/glyph_consult.png" << QSize(32, 16) << true;
    QTest::newRow("developer glyph") << ":/assets/glyph_developer.png" << QSize(32, 16) << true;
    QTest::newRow("program icon") << ":/assets/program_icon.png" << QSize(32, 32) << true;
    QTest::newRow("designed splash") << ":/designed/splash.png" << QSize(729, 480) << false;
    QTest::newRow("desktop icon 32") << ":/assets/icons/tandemo-32.png" << QSize(32, 32) << true;
    QTest::newRow("desktop icon 48") << ":/assets/icons/tandemo-48.png" << QSize(48, 48) << true;
    QTest::newRow("desktop icon 128")
        << ":/assets/icons/tandemo-128.png" << QSize(128, 128) << true;
    QTest::newRow("desktop icon 256")
        << ":/assets/icons/tandemo-256.png" << QSize(256, 256) << true;
}

void TestResources::pictureHasDesignedSize()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(bool, transparent);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
    QCOMPARE(image.hasAlphaChannel(), transparent);
    if (transparent) {
        // Glyphs and icons stand on the button face or the desktop: their corners show it.
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
    }
}

void TestResources::everyResourceIsListed()
{
    QStringList embedded;
    QDirIterator it(QStringLiteral(":/assets"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        embedded << it.next();
    QStringList listed = Assets::pictures() + Assets::derived() + Assets::texts();
    embedded.sort();
    listed.sort();
    QCOMPARE(embedded, listed);
    QCOMPARE(listed.size(), 14);
}

void TestResources::splashIsTwentyFourBitRgb()
{
    const PngHeader header = readPngHeader(QString::fromLatin1(Assets::DesignedSplash));
    QCOMPARE(header.colourType, 2); // truecolour without alpha
    QCOMPARE(header.bitDepth, 8);
}

// The build's stretched copy serves exactly the frame it was made for, read in place rather
// than inflated; any other size falls back to stretching the picture.
void TestResources::stretchedSplashOnlyForItsFrame_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("served");

    QTest::newRow("the frame") << QSize(641, 425) << true;
    QTest::newRow("a pixel narrower") << QSize(640, 425) << false;
    QTest::newRow("a pixel taller") << QSize(641, 426) << false;
    QTest::newRow("width and height exchanged") << QSize(425, 641) << false;
    QTest::newRow("the frame at twice the density") << QSize(1282, 850) << false;
    QTest::newRow("empty") << QSize(0, 0) << false;
    QTest::newRow("invalid") << QSize(-641, 425) << false;
}

void TestResources::stretchedSplashOnlyForItsFrame()
{
    QFETCH(QSize, size);
    QFETCH(bool, served);
    QCOMPARE(QResource(QString::fromLatin1(Assets::SplashFrame)).compressionAlgorithm(),
             QResource::NoCompression);
    const QImage image = Assets::stretchedSplash(size);
    QCOMPARE(!image.isNull(), served);
    if (served) {
        QCOMPARE(image.size(), size);
        const QImage picture(QString::fromLatin1(Assets::DesignedSplash));
        QCOMPARE(image, picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_RGB32));
    }
}

void TestResources::programIconUsesTheSixteenVgaColours()
{
    const QList<QRgb> vga = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    const QString path = QString::fromLatin1(Assets::ProgramIcon);
    const QImage icon = QImage(path).convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> used;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            const QRgb pixel = icon.pixel(x, y);
            used.insert(pixel);
            if (qAlpha(pixel) == 0)
                continue;
            QVERIFY2(qAlpha(pixel) == 255,
                     qPrintable(QStringLiteral("half-transparent at %1,%2").arg(x).arg(y)));
            QVERIFY2(vga.contains(pixel | 0xff000000u),
                     qPrintable(QStringLiteral("colour %1 at %2,%3 is not a VGA colour")
                                    .arg(pixel, 8, 16)
                                    .arg(x)
                                    .arg(y)));
        }
    }
    QVERIFY(used.size() <= 16);
    QVERIFY2(used.size() >= 4, "an icon needs more than a couple of colours");
    const PngHeader header = readPngHeader(path);
    QCOMPARE(header.colourType, 3); // indexed
    QVERIFY(header.paletteEntries >= 1 && header.paletteEntries <= 16);
}

void TestResources::glyphHasColourAndGreyHalves_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("consultation") << QString::fromLatin1(Assets::ConsultGlyph);
    QTest::newRow("developer") << QString::fromLatin1(Assets::DeveloperGlyph);
}

void TestResources::glyphHasColourAndGreyHalves()
{
    QFETCH(QString, path);
    const QImage glyph = QImage(path).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(glyph.size(), QSize(32, 16));
    int colouredLeft = 0;
    int opaqueRight = 0;
    QRect shapeLeft;
    QRect shapeRight;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QRgb normal = glyph.pixel(x, y);
            const QRgb disabled = glyph.pixel(x + 16, y);
            if (qAlpha(normal) > 0) {
                shapeLeft |= QRect(x, y, 1, 1);
                colouredLeft += isSaturated(normal) ? 1 : 0;
            }
            if (qAlpha(disabled) > 0) {
                shapeRight |= QRect(x, y, 1, 1);
                ++opaqueRight;
                QVERIFY2(isGrey(disabled),
                         qPrintable(
                             QStringLiteral("disabled half not grey at %1,%2").arg(x + 16).arg(y)));
            }
        }
    }
    QVERIFY2(colouredLeft >= 4, "the normal state is drawn in colour");
    QVERIFY2(opaqueRight >= 10, "the disabled state shows the glyph");
    // Both states show the same glyph: the grey one at most one pixel larger (its emboss).
    QVERIFY(shapeLeft.adjusted(-1, -1, 1, 1).contains(shapeRight));
    QVERIFY(shapeRight.adjusted(-1, -1, 1, 1).contains(shapeLeft));
}

void TestResources::splashLetteringStaysInTheShownPart_data()
{
    // The window shows the picture scaled to 641 x 425 from x = -16, and cuts 16 px of that
    // on the left, 4 on the right and 11 at the bottom; in picture pixels, these strips.
    QTest::addColumn<QRect>("area");
    QTest::addColumn<int>("redMin");
    QTest::addColumn<int>("redMax");
    QTest::addColumn<int>("magentaMin");
    QTest::addColumn<int>("magentaMax");
    QTest::newRow("title band at the top") << QRect(19, 0, 705, 130) << 2000 << INT_MAX << 0 << 0;
    QTest::newRow("wait line band at the bottom")
        << QRect(19, 400, 705, 67) << 0 << 0 << 800 << INT_MAX;
    QTest::newRow("cut off on the left") << QRect(0, 0, 19, 480) << 0 << 0 << 0 << 0;
    QTest::newRow("cut off on the right") << QRect(724, 0, 5, 480) << 0 << 0 << 0 << 0;
    QTest::newRow("cut off at the bottom") << QRect(0, 467, 729, 13) << 0 << 0 << 0 << 0;
}

void TestResources::splashLetteringStaysInTheShownPart()
{
    QFETCH(QRect, area);
    QFETCH(int, redMin);
    QFETCH(int, redMax);
    QFETCH(int, magentaMin);
    QFETCH(int, magentaMax);
    const QImage splash(QString::fromLatin1(Assets::DesignedSplash));
    QVERIFY(QRect(QPoint(0, 0), splash.size()).contains(area));
    const int red = countPixels(splash, area, isRedLettering);
    const int magenta = countPixels(splash, area, isMagentaLettering);
    QVERIFY2(red >= redMin && red <= redMax, qPrintable(QString::number(red)));
    QVERIFY2(magenta >= magentaMin && magenta <= magentaMax, qPrintable(QString::number(magenta)));
}

void TestResources::splashKeepsALightCalmSpotForTheVersionLine()
{
    // The window writes "VERSION 1.1.3 *FREEWARE*" in maroon at (430, 228) of its client
    // area, up to about 175 x 14 pixels; that is this part of the picture.
    const QImage splash(QString::fromLatin1(Assets::DesignedSplash));
    const QRect spot(507, 257, 200, 17);
    int darkest = 255;
    int lightest = 0;
    for (int y = spot.top(); y <= spot.bottom(); ++y) {
        for (int x = spot.left(); x <= spot.right(); ++x) {
            const int grey = qGray(splash.pixel(x, y));
            darkest = std::min(darkest, grey);
            lightest = std::max(lightest, grey);
        }
    }
    QVERIFY2(darkest >= 140, qPrintable(QStringLiteral("darkest %1").arg(darkest)));
    QVERIFY2(lightest - darkest <= 60,
             qPrintable(QStringLiteral("range %1").arg(lightest - darkest)));
}

void TestResources::textIsCleanUtf8_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("lines");
    QTest::newRow("recommendations") << QString::fromLatin1(Assets::Recommendations) << 25;
    QTest::newRow("disclaimer") << QString::fromLatin1(Assets::Disclaimer) << 20;
    QTest::newRow("attraction") << QString::fromLatin1(Assets::Attraction) << 24;
}

void TestResources::textIsCleanUtf8()
{
    QFETCH(QString, path);
    QFETCH(int, lines);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    QVERIFY2(!decoder.hasError(), "not valid UTF-8");
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(!text.contains(QLatin1Char('\r')));
    QVERIFY2(!text.endsWith(QLatin1Char('\n')), "a final line break would add an empty line");
    QCOMPARE(text.split(QLatin1Char('\n')).size(), lines);
    QCOMPARE(Assets::readText(path), text);
    for (const QString& line : text.split(QLatin1Char('\n')))
        QVERIFY2(!line.endsWith(QLatin1Char(' ')) || path == QLatin1String(Assets::Disclaimer),
                 qPrintable(QStringLiteral("trailing space: ") + line));
}

void TestResources::missingTextReadsEmpty()
{
    QVERIFY(Assets::readText(QStringLiteral(":/assets/no_such_text.txt")).isEmpty());
}

void TestResources::recommendationsHaveThreeSections()
{
    const QStringList lines = linesOf(QString::fromLatin1(Assets::Recommendations));
    const QStringList headings = {QStringLiteral("ИНДИВИДУАЛЬНОЕ ИСПОЛЬЗОВАНИЕ"),
                                  QStringLiteral("ПАРНОЕ ИСПОЛЬЗОВАНИЕ"),
                                  QStringLiteral("ГРУППОВОЕ ИСПОЛЬЗОВАНИЕ")};
    QStringList found;
    const QRegularExpression paragraphStart(QStringLiteral("^ {8}\\S"));
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (headings.contains(line)) {
            found << line;
            // Each section opens with an indented paragraph and is set off by an empty line.
            QVERIFY2(i + 1 < lines.size() && paragraphStart.match(lines.at(i + 1)).hasMatch(),
                     qPrintable(line));
            QVERIFY2(i == 0 || lines.at(i - 1).isEmpty(), qPrintable(line));
            continue;
        }
        if (line.isEmpty()) {
            QVERIFY2(i + 1 < lines.size() && headings.contains(lines.at(i + 1)),
                     "empty lines only before a heading");
            continue;
        }
        if (line.front().isSpace())
            QVERIFY2(paragraphStart.match(line).hasMatch(),
                     qPrintable(QStringLiteral("paragraphs open with eight spaces: ") + line));
    }
    QCOMPARE(found, headings);
}

void TestResources::recommendationsTellWhatTheDesignAsks_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("words");
    QTest::newRow("individual use depends on perceiving the partner")
        << "ИНДИВИДУАЛЬНОЕ ИСПОЛЬЗОВАНИЕ"
        << "адекватно";
    QTest::newRow("use with the partner, as a whole line")
        << "ПАРНОЕ ИСПОЛЬЗОВАНИЕ"
        << "При использовании Tandemo вместе с потенциальным партнёром";
    QTest::newRow("error at most five per cent") << "ПАРНОЕ ИСПОЛЬЗОВАНИЕ"
                                                 << "не превышает 5%";
    QTest::newRow("only a probability") << "ПАРНОЕ ИСПОЛЬЗОВАНИЕ"
                                        << "лишь вероятность";
    QTest::newRow("a far-off result is a reason to reflect") << "ПАРНОЕ ИСПОЛЬЗОВАНИЕ"
                                                             << "задуматься";
    QTest::newRow("group testing needs the analysis module") << "ГРУППОВОЕ ИСПОЛЬЗОВАНИЕ"
                                                             << "дополнительный модуль анализа";
}

void TestResources::recommendationsTellWhatTheDesignAsks()
{
    QFETCH(QString, section);
    QFETCH(QString, words);
    const QStringList lines = linesOf(QString::fromLatin1(Assets::Recommendations));
    const qsizetype start = lines.indexOf(section);
    QVERIFY(start >= 0);
    // The section runs to the next empty line; its lines are joined as a reader sees them.
    QStringList body;
    for (qsizetype i = start + 1; i < lines.size() && !lines.at(i).isEmpty(); ++i)
        body << lines.at(i).trimmed();
    QVERIFY2(body.join(QLatin1Char(' ')).contains(words), qPrintable(words));
    if (words.size() > 50) // long phrases are meant to stand on one line
        QVERIFY(std::any_of(body.cbegin(), body.cend(),
                            [&](const QString& line) { return line.contains(words); }));
}

void TestResources::disclaimerOpensAsDesigned()
{
    const QStringList lines = linesOf(QString::fromLatin1(Assets::Disclaimer));
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines.at(0),
             QStringLiteral("Принимая во внимания результаты нашей методики следует иметь в "));
    QCOMPARE(lines.at(1), QStringLiteral("виду следующие оговорки:"));
    // Then the five reservations, numbered in order at the start of a line, and nothing else
    // starts with a number.
    QStringList numbers;
    const QRegularExpression numbered(QStringLiteral("^(\\d+)\\. \\S"));
    for (const QString& line : lines) {
        const auto match = numbered.match(line);
        if (match.hasMatch())
            numbers << match.captured(1);
    }
    QCOMPARE(numbers, QStringList({"1", "2", "3", "4", "5"}));
    QVERIFY(lines.at(2).startsWith(QLatin1String("1. ")));
    QVERIFY(!lines.contains(QString()));
}

void TestResources::disclaimerReservation_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("never certain") << 1 << QStringList{"100%", "0%"};
    QTest::newRow("ages") << 2 << QStringList{"15", "22"};
    QTest::newRow("where it does not apply")
        << 3 << QStringList{"философии", "ориентации", "гарантию"};
    QTest::newRow("health") << 4 << QStringList{"ответственности", "здоровья"};
    QTest::newRow("scientific validity")
        << 5 << QStringList{"достоверность", "репрезентативной", "1–4", "жизненной ситуации"};
}

void TestResources::disclaimerReservation()
{
    QFETCH(int, number);
    QFETCH(QStringList, words);
    const QStringList lines = linesOf(QString::fromLatin1(Assets::Disclaimer));
    const QString start = QString::number(number) + QStringLiteral(". ");
    const QString next = QString::number(number + 1) + QStringLiteral(". ");
    QStringList reservation;
    bool inside = false;
    for (const QString& line : lines) {
        if (line.startsWith(start))
            inside = true;
        else if (line.startsWith(next))
            break;
        if (inside)
            reservation << line;
    }
    QVERIFY(!reservation.isEmpty());
    const QString text = reservation.join(QLatin1Char(' '));
    for (const QString& word : words)
        QVERIFY2(text.contains(word), qPrintable(word));
}

void TestResources::attractionHasThreeIndentedParagraphs()
{
    const QStringList lines = linesOf(QString::fromLatin1(Assets::Attraction));
    QVERIFY(!lines.isEmpty());
    QVERIFY(QRegularExpression(QStringLiteral("^ {56}\\S")).match(lines.front()).hasMatch());
    QList<int> tabbed;
    for (int i = 1; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        QVERIFY2(!line.trimmed().isEmpty(), "no empty lines between paragraphs");
        if (line.front().isSpace()) {
            QVERIFY2(QRegularExpression(QStringLiteral("^\\t{3}\\S")).match(line).hasMatch(),
                     qPrintable(line));
            tabbed << i;
        }
    }
    QCOMPARE(tabbed.size(), 2);
    const QString text = lines.join(QLatin1Char(' '));
    for (const char* word : {"кризис", "аттракци", "симпати", "дружб", "любв"})
        QVERIFY2(text.contains(QString::fromUtf8(word)), word);
}

void TestResources::textLinesFitTheirBox_data()
{
    // A text box lays lines out in its width less 2 px frames, a 17 px scroll bar and 4 px
    // margins on each side; tab stops every 80 px.
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("boxWidth");
    QTest::newRow("recommendations memo") << QString::fromLatin1(Assets::Recommendations) << 425;
    QTest::newRow("attraction memo") << QString::fromLatin1(Assets::Attraction) << 449;
}

void TestResources::textLinesFitTheirBox()
{
    QFETCH(QString, path);
    QFETCH(int, boxWidth);
    const QFont font = widestStandIn();
    if (!QFontDatabase::families().contains(font.family()))
        QSKIP("DejaVu Sans is not installed");
    const QFontMetricsF metrics(font);
    const double room = boxWidth - 2 * 2 - 17 - 2 * 4;
    for (const QString& line : linesOf(path)) {
        const double width = lineWidth(metrics, line, 80.0);
        QVERIFY2(width <= room,
                 qPrintable(QStringLiteral("%1 px > %2: %3").arg(width).arg(room).arg(line)));
    }
}

void TestResources::disclaimerLinesAreNoWiderThanItsOpening_data()
{
    // The opening line is given by the design and sets the width of the text; whichever
    // family stands in for the window's font, no written line may be wider.
    QTest::addColumn<QString>("family");
    QTest::newRow("DejaVu Sans") << "DejaVu Sans";
    QTest::newRow("Liberation Sans") << "Liberation Sans";
}

void TestResources::disclaimerLinesAreNoWiderThanItsOpening()
{
    QFETCH(QString, family);
    if (!QFontDatabase::families().contains(family))
        QSKIP("family not installed");
    QFont font(family);
    font.setPixelSize(11);
    const QFontMetricsF metrics(font);
    const QStringList lines = linesOf(QString::fromLatin1(Assets::Disclaimer));
    const double opening = metrics.horizontalAdvance(lines.front().trimmed());
    for (const QString& line : lines.mid(1))
        QVERIFY2(metrics.horizontalAdvance(line) <= opening, qPrintable(line));
}

QTEST_MAIN(TestResources)
#include "test_resources.moc"
