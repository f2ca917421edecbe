#pragma once

#include <QLabel>

class QMovie;

// Plays an animated GIF read from a file, scaled to fit its rectangle.
// A file that is missing or cannot be read leaves it empty, and movie()
// gives nullptr.
class GifView : public QLabel
{
    Q_OBJECT

public:
    explicit GifView(QWidget *parent);

    // Starts playing the file at path, replacing what played before.
    void setFileName(const QString &path);

private:
    void stop();

    QString m_path;
    QMovie *animation = nullptr;
};
