#include "about/gifview.h"

#include <QImageReader>
#include <QMovie>

GifView::GifView(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

void GifView::stop()
{
    clear();
    delete animation;
    animation = nullptr;
}

void GifView::setFileName(const QString &fileName)
{
    stop();
    m_path = fileName;

    const QSize original = QImageReader(m_path).size();
    auto *candidate = new QMovie(m_path, QByteArray(), this);
    if (!original.isValid() || !candidate->isValid()) {
        delete candidate;
        return;
    }
    candidate->setScaledSize(original.scaled(size(), Qt::KeepAspectRatio));
    animation = candidate;
    setMovie(animation);
    animation->start();
}
