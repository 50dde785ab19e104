// Stretches a picture into a frame with Qt's smooth filter and stores the result as raw
// 32-bit pixels, so that the program can show it without decoding or scaling anything.
//
//   stretch_picture <picture> <width> <height> <output>
//
// Output: width and height as unsigned 32-bit little-endian numbers, then height rows of
// width pixels, each a 32-bit 0xffRRGGBB value in the machine's byte order (QImage's RGB32).

#include <QFile>
#include <QImage>
#include <QString>
#include <QtEndian>

#include <cstdio>

namespace {

int fail(const char* what, const char* detail)
{
    std::fprintf(stderr, "stretch_picture: %s %s\n", what, detail);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return fail("usage:", "stretch_picture <picture> <width> <height> <output>");
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    if (picture.isNull())
        return fail("cannot read", argv[1]);
    bool widthOk = false;
    bool heightOk = false;
    const QSize frame(QString::fromLatin1(argv[2]).toInt(&widthOk),
                      QString::fromLatin1(argv[3]).toInt(&heightOk));
    if (!widthOk || !heightOk || frame.isEmpty())
        return fail("bad frame size", argv[2]);

    // The same call the splash makes when it has to stretch the picture itself.
    const QImage stretched = picture.scaled(frame, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                 .convertToFormat(QImage::Format_RGB32);

    QFile out(QString::fromLocal8Bit(argv[4]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail("cannot write", argv[4]);
    const quint32 header[2] = {qToLittleEndian(quint32(frame.width())),
                               qToLittleEndian(quint32(frame.height()))};
    bool written =
        out.write(reinterpret_cast<const char*>(header), sizeof header) == qint64(sizeof header);
    const qint64 rowBytes = qint64(frame.width()) * 4;
    for (int y = 0; written && y < stretched.height(); ++y) {
        written = out.write(reinterpret_cast<const char*>(stretched.constScanLine(y)), rowBytes) ==
                  rowBytes;
    }
    if (!written || !out.flush())
        return fail("cannot write", argv[4]);
    return 0;
}
