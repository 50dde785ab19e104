#include "assets.h"

#include <QFile>
#include <QResource>
#include <QtEndian>

#include <cstring>

namespace Assets {

QStringList pictures()
{
    return {SiteBanner,  ShopBanner,    PartnerBanner, ConsultGlyph,   DeveloperGlyph,
            ProgramIcon, DesktopIcon32, DesktopIcon48, DesktopIcon128, DesktopIcon256};
}

QStringList derived()
{
    return {SplashFrame};
}

QStringList texts()
{
    return {Recommendations, Disclaimer, Attraction};
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QImage stretchedSplash(QSize size)
{
    const QResource resource(QString::fromLatin1(SplashFrame));
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        size.isEmpty())
        return {};
    const uchar* data = resource.data();
    const qint64 rowBytes = qint64(size.width()) * 4;
    if (resource.size() != 8 + rowBytes * size.height() ||
        qFromLittleEndian<quint32>(data) != quint32(size.width()) ||
        qFromLittleEndian<quint32>(data + 4) != quint32(size.height()))
        return {};
    // The resource's bytes need not be aligned for 32-bit pixels, and they are read-only:
    // the image gets a copy of its own.
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < size.height(); ++y)
        std::memcpy(image.scanLine(y), data + 8 + rowBytes * y, size_t(rowBytes));
    return image;
}

} // namespace Assets
