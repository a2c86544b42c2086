#include "common/program_icon.h"

#include <QDirIterator>
#include <QImageReader>
#include <QPixmap>

QIcon Program_Icon()
{
    // Read as the PNG pictures they are, by the toolkit's own reader: a
    // reader left to find out the format asks every image-format plugin
    // first, loading them all.
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons/vistrel"), QDir::Files);
    while (sizes.hasNext()) {
        QImageReader reader(sizes.next(), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage picture = reader.read();
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}
