// Pictures and cursors that ship inside the program, by number.
#pragma once

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
    QString root_;
    int reads_ = 0;
};

}  // namespace fw
