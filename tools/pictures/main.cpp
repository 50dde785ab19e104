// make_pictures <folder>: draws every picture of the program and writes it as PNG into
// <folder> (the assets/ folder of the source tree when the pictures are remade), each at
// its designed size. Drawing needs fonts but no display: without a platform chosen in the
// environment, the offscreen one is used.

#include "pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QSize>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Picture {
    QString file;
    QSize size;
    std::function<QImage()> draw;
};

std::vector<Picture> allPictures()
{
    return {
        {QStringLiteral("banner_site.png"), {174, 79}, drawSiteBanner},
        {QStringLiteral("banner_shop.png"), {219, 97}, drawShopBanner},
        {QStringLiteral("banner_partner.png"), {218, 98}, drawPartnerBanner},
        {QStringLiteral("glyph_consult.png"), {32, 16}, drawConsultGlyph},
        {QStringLiteral("glyph_developer.png"), {32, 16}, drawDeveloperGlyph},
        {QStringLiteral("program_icon.png"), {32, 32}, drawProgramIcon},
        {QStringLiteral("icons/tandemo-32.png"),
         {32, 32},
         [] {
             return drawDesktopIcon(32);
         }},
        {QStringLiteral("icons/tandemo-48.png"),
         {48, 48},
         [] {
             return drawDesktopIcon(48);
         }},
        {QStringLiteral("icons/tandemo-128.png"),
         {128, 128},
         [] {
             return drawDesktopIcon(128);
         }},
        {QStringLiteral("icons/tandemo-256.png"),
         {256, 256},
         [] {
             return drawDesktopIcon(256);
         }},
        {QStringLiteral("splash.png"), {729, 480}, drawSplash},
    };
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: make_pictures <output folder>\n", stderr);
        return 2;
    }
    const QDir folder(arguments.at(1));
    for (const Picture& picture : allPictures()) {
        const QImage image = picture.draw();
        const QString path = folder.filePath(picture.file);
        if (image.size() != picture.size) {
            std::fprintf(stderr, "%s: drawn at %dx%d instead of %dx%d\n", qPrintable(picture.file),
                         image.width(), image.height(), picture.size.width(),
                         picture.size.height());
            return 1;
        }
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) ||
            !QImageWriter(path, "png").write(image)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
