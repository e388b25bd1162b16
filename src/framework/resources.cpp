#include "resources.h"

#include <QFile>
#include <QImage>

#include "cursor.h"
#include "graphics.h"

namespace fw {

namespace {

QString ResourcePath(const QString& root, const char* kind, int id) {
    return root + QLatin1String(kind) + QLatin1Char('/') + QString::number(id) + QStringLiteral(".png");
}

int TextNumber(const QImage& image, const char* key) {
    bool ok = false;
    const int v = image.text(QLatin1String(key)).trimmed().toInt(&ok);
    return ok ? v : 0;
}

}  // namespace

PicturePtr ResourceFork::GetPicture(int id) {
    const QString path = ResourcePath(root_, "pictures", id);
    if (!QFile::exists(path)) return nullptr;
    ++reads_;
    QImage image(path);
    if (image.isNull()) return nullptr;
    return std::make_shared<Picture>(std::move(image));
}

CursorPtr ResourceFork::getCursor(int id) {
    const QString path = ResourcePath(root_, "cursors", id);
    if (!QFile::exists(path)) return nullptr;
    ++reads_;
    QImage image(path);
    if (image.isNull()) return nullptr;
    // The hot spot travels inside the PNG as text; read it before converting.
    const QPoint hotSpot(TextNumber(image, "HotSpotX"), TextNumber(image, "HotSpotY"));
    return std::make_shared<MouseCursor>(image.convertToFormat(QImage::Format_ARGB32), hotSpot);
}

}  // namespace fw
