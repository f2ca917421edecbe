#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Options.dat as a first start writes it.
inline const QByteArray DefaultOptionsText = "Translucent=255\r\nBringToFront=1\r\nAutoHide=1\r\nHideBar=0\r\n"
                                             "ViewDate=1\r\nViewBorder=1\r\nBorderWidth=4\r\nColorBorder=12632256\r\n"
                                             "ViewTextHours=1\r\nColorTextHours=0\r\nViewSecond=1\r\n"
                                             "ColorLancetSecond=0\r\nColorLancetMinute=255\r\nColorLancetHour=16711680\r\n";

// Writes bytes to a file; false when it could not.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file with each "Key=value" line in place of the line of its key.
inline QByteArray withLines(const QByteArray &file, const QList<QByteArray> &lines)
{
    QList<QByteArray> all = file.split('\n');
    for (const QByteArray &line : lines)
        for (QByteArray &old : all)
            if (old.startsWith(line.left(line.indexOf('=') + 1)))
                old = line + '\r';
    return all.join('\n');
}
