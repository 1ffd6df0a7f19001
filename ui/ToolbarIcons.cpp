#include "ui/ToolbarIcons.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>

// The resources are compiled into a static library: nothing would pull them
// into the program unless they are registered by name.
static void registerResources() { Q_INIT_RESOURCE(resources); }

namespace ToolbarIcons {

namespace {

void ensureResources()
{
    static const bool once = (registerResources(), true);
    (void)once;
}

} // namespace

QImage picture(int id)
{
    ensureResources();
    static QHash<int, QImage> cache;
    auto it = cache.constFind(id);
    if (it != cache.cend())
        return *it;
    QImage image(QStringLiteral(":/icons/%1.png").arg(id));
    if (!image.isNull())
        cache.insert(id, image);
    return image;
}

QIcon toolbarIcon(int id)
{
    const QImage source = picture(id);
    if (source.isNull())
        return QIcon();
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.drawImage(0, 0, source);
    p.end();
    return QIcon(QPixmap::fromImage(image));
}

QIcon applicationIcon()
{
    ensureResources();
    QIcon icon;
    for (int size : {48, 128, 256})
        icon.addFile(QStringLiteral(":/icons/morvelin-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace ToolbarIcons
