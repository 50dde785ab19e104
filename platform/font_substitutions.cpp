#include "font_substitutions.h"

#include <QFont>
#include <QStringList>

void registerFontSubstitutions()
{
    struct Substitution {
        const char* designed;
        QStringList installed;
    };
    // Liberation is metric-compatible with Arial and Times New Roman, and narrow enough to
    // stand in for Tahoma and the small sans faces inside their designed boxes; DejaVu
    // Sans is the wider fallback; URW Bookman is the free Bookman.
    const Substitution substitutions[] = {
        {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
        {"Arial", {"Liberation Sans", "DejaVu Sans"}},
        {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
        {"Tahoma", {"Liberation Sans", "DejaVu Sans"}},
        {"Lucida Sans", {"DejaVu Sans", "Liberation Sans"}},
        {"Small Fonts", {"Liberation Sans", "DejaVu Sans"}},
        {"Bookman Old Style", {"URW Bookman", "DejaVu Serif"}},
    };
    for (const Substitution& s : substitutions) {
        QFont::insertSubstitutions(QString::fromLatin1(s.designed), s.installed);
    }
}
