#include "assets.h"

#include <QFile>

namespace Assets {

QStringList pictures()
{
    return {SiteBanner, ShopBanner,    PartnerBanner, ConsultGlyph,   DeveloperGlyph, ProgramIcon,
            Splash,     DesktopIcon32, DesktopIcon48, DesktopIcon128, DesktopIcon256};
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

} // namespace Assets
