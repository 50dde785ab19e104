#include "font_substitutions.h"

#include <QFont>
#include <QStringList>

void registerFontSubstitutions()
{
    struct Substitution {
        const char* designed;
        QStringList installed;
    };
    // Liberation is metric-compatible with Arial and Times New Roman; DejaVu Sans is
    // drawn from the same Vera lineage as Tahoma and Verdana and stands in for the
    // other sans faces; URW Bookman is the free Bookman.
    const Substitution substitutions[] = {
        {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
        {"Arial", {"Liberation Sans", "DejaVu Sans"}},
        {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
        {"Tahoma", {"DejaVu Sans", "Liberation Sans"}},
        {"Lucida Sans", {"DejaVu Sans", "Liberation Sans"}},
        {"Small Fonts", {"DejaVu Sans", "Liberation Sans"}},
        {"Bookman Old Style", {"URW Bookman", "DejaVu Serif"}},
    };
    for (const Substitution& s : substitutions) {
        QFont::insertSubstitutions(QString::fromLatin1(s.designed), s.installed);
    }
}
