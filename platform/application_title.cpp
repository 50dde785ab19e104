#include "application_title.h"

#include <QCoreApplication>
#include <QFileInfo>

QString applicationTitleFromFileName(const QString& fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? name : name.left(dot);
    if (stem.isEmpty()) {
        return stem;
    }
    return stem.left(1) + stem.mid(1).toLower();
}

QString applicationTitle()
{
    return applicationTitleFromFileName(QCoreApplication::applicationFilePath());
}
