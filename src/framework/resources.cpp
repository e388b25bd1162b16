#include "resources.h"

#include <QFile>
#include <QImage>

#include "cursor.h"
#include "graphics.h"

namespace fw {

namespace {

int TextNumber(const QImage& image, const char* key) {
    bool ok = false;
    const int v = image.text(QLatin1String(key)).trimmed().toInt(&ok);
    return ok ? v : 0;
}

}  // namespace

QImage ResourceFork::Read(const char* kind, int id) {
    const QString path = root_ + QLatin1String(kind) + QLatin1Char('/') + QString::number(id) + QStringLiteral(".png");
    if (!QFile::exists(path)) return {};
    ++reads_;
    return QImage(path);
}

PicturePtr ResourceFork::GetPicture(int id) {
    QImage image = Read("pictures", id);
    if (image.isNull()) return nullptr;
    return std::make_shared<Picture>(std::move(image));
}

CursorPtr ResourceFork::getCursor(int id) {
    const QImage image = Read("cursors", id);
    if (image.isNull()) return nullptr;
    // The hot spot travels inside the PNG as text; read it before converting.
    const QPoint hotSpot(TextNumber(image, "HotSpotX"), TextNumber(image, "HotSpotY"));
    return std::make_shared<MouseCursor>(image.convertToFormat(QImage::Format_ARGB32), hotSpot);
}

}  // namespace fw
