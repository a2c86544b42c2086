#include "app/program_icon.h"

#include <QDirIterator>
#include <QImageReader>

QIcon Program_Icon()
{
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons/vistrel"), QDir::Files);
    while (sizes.hasNext()) {
        const QString file = sizes.next();
        icon.addFile(file, QImageReader(file).size());
    }
    return icon;
}
