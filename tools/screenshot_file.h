#pragma once
#include <QDir>
#include <QPixmap>
#include <QString>
#include <cstdio>

// Writes `picture` as FOLDER/NAME.png for compass-screenshots; false, and says
// so on stderr, when the file cannot be written.
inline bool savePicture(const QPixmap &picture, const QString &folder, const QString &name)
{
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (picture.save(path))
        return true;
    std::fprintf(stderr, "compass-screenshots: cannot write %s\n", qPrintable(path));
    return false;
}
