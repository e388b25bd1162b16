// Pictures and cursors that ship inside the program, by number.
#pragma once

#include <QImage>
#include <QString>

#include "types.h"

namespace fw {

class ResourceFork {
public:
    explicit ResourceFork(QString root = QStringLiteral(":/")) : root_(std::move(root)) {}
    // nil when there is no such picture.
    PicturePtr GetPicture(int id);
    // nil when there is no such cursor.
    CursorPtr getCursor(int id);
    // How many times a resource was read; lets tests see caching.
    int Reads() const { return reads_; }
    void SetRoot(QString root) { root_ = std::move(root); }

private:
    // The image of resource id of this kind ("pictures", "cursors"); null when there is none.
    QImage Read(const char* kind, int id);
    QString root_;
    int reads_ = 0;
};

}  // namespace fw
