#include "controls/widgets/ArtRegistry.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <QPixmapCache>
#include <QtDebug>

namespace vx::art {
namespace {

struct Picture {
    QSize size;
    PaintFn paint;
    int frames = 1;
};

struct Registry {
    QMutex lock;
    QHash<QString, Picture> pictures;
    // Rendered pixmaps per name and ratio; dropped when the name is registered again.
    QHash<QString, QPixmap> cache;
    UnknownNameHandler unknown;
};

Registry& Reg()
{
    static Registry r;
    return r;
}

QString CacheKey(const QString& name, qreal dpr)
{
    return name + QLatin1Char('@') + QString::number(dpr, 'f', 3);
}

void ReportUnknown(const QString& name)
{
    UnknownNameHandler handler;
    {
        QMutexLocker l(&Reg().lock);
        handler = Reg().unknown;
    }
    if (handler)
        handler(name);
    else
        qWarning("No picture is registered under the name \"%s\"", qPrintable(name));
}

bool Lookup(const QString& name, Picture& out)
{
    QMutexLocker l(&Reg().lock);
    auto it = Reg().pictures.constFind(name);
    if (it == Reg().pictures.constEnd())
        return false;
    out = *it;
    return true;
}

} // namespace

void Register(const QString& name, QSize size, PaintFn paint, int frames)
{
    QMutexLocker l(&Reg().lock);
    Reg().pictures.insert(name, Picture{size, std::move(paint), frames < 1 ? 1 : frames});
    for (auto it = Reg().cache.begin(); it != Reg().cache.end();) {
        if (it.key().startsWith(name + QLatin1Char('@')))
            it = Reg().cache.erase(it);
        else
            ++it;
    }
}

bool Has(const QString& name)
{
    QMutexLocker l(&Reg().lock);
    return Reg().pictures.contains(name);
}

QStringList Names()
{
    QMutexLocker l(&Reg().lock);
    QStringList names = Reg().pictures.keys();
    names.sort();
    return names;
}

QSize Size(const QString& name)
{
    Picture pic;
    return Lookup(name, pic) ? pic.size : QSize();
}

int FrameCount(const QString& name)
{
    Picture pic;
    return Lookup(name, pic) ? pic.frames : 0;
}

QSize FrameSize(const QString& name)
{
    Picture pic;
    if (!Lookup(name, pic))
        return QSize();
    return QSize(pic.size.width() / pic.frames, pic.size.height());
}

QPixmap Pixmap(const QString& name, qreal devicePixelRatio)
{
    Picture pic;
    if (!Lookup(name, pic)) {
        ReportUnknown(name);
        return QPixmap();
    }
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QString key = CacheKey(name, dpr);
    {
        QMutexLocker l(&Reg().lock);
        auto it = Reg().cache.constFind(key);
        if (it != Reg().cache.constEnd())
            return *it;
    }
    QImage img((QSizeF(pic.size) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (pic.paint)
            pic.paint(p, pic.size);
    }
    QPixmap pm = QPixmap::fromImage(img);
    pm.setDevicePixelRatio(dpr);
    QMutexLocker l(&Reg().lock);
    Reg().cache.insert(key, pm);
    return pm;
}

void DrawInto(QPainter& p, const QRectF& target, const QString& name, int frame)
{
    Picture pic;
    if (!Lookup(name, pic)) {
        ReportUnknown(name);
        return;
    }
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    const QPixmap pm = Pixmap(name, dpr);
    if (pm.isNull())
        return;
    QRectF source(QPointF(0, 0), QSizeF(pic.size) * dpr);
    if (frame >= 0 && pic.frames > 1) {
        const int f = qBound(0, frame, pic.frames - 1);
        const qreal fw = qreal(pic.size.width()) / pic.frames * dpr;
        source = QRectF(f * fw, 0, fw, pic.size.height() * dpr);
    }
    p.drawPixmap(target, pm, source);
}

void Draw(QPainter& p, const QPointF& at, const QString& name, int frame)
{
    Picture pic;
    if (!Lookup(name, pic)) {
        ReportUnknown(name);
        return;
    }
    QSizeF size = pic.size;
    if (frame >= 0 && pic.frames > 1)
        size.setWidth(size.width() / pic.frames);
    DrawInto(p, QRectF(at, size), name, frame);
}

void SetUnknownNameHandler(UnknownNameHandler handler)
{
    QMutexLocker l(&Reg().lock);
    Reg().unknown = std::move(handler);
}

} // namespace vx::art
