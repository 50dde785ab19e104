#pragma once
// What every benchmark with a QApplication starts from: the offscreen platform at 96 dpi,
// which the designed sizes assume, unless the environment chooses otherwise. Called before
// the application object is made; the font substitutions follow once it exists.

#include <QByteArray>
#include <QtGlobal>

inline void chooseBenchPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");
}
