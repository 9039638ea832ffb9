// A numbered list of pictures, counted from 1, as the picture buttons take
// their normal and hover images from it.
#pragma once

#include <QList>
#include <QPixmap>

namespace meter {

class ImageList {
public:
    ImageList() = default;
    explicit ImageList(QList<QPixmap> images) : images_(std::move(images)) {}

    void add(const QPixmap& p) { images_.append(p); }
    int count() const { return static_cast<int>(images_.size()); }

    // Picture n (1 to count()); a null pixmap for any other n.
    QPixmap ListImages(int n) const;

private:
    QList<QPixmap> images_;
};

} // namespace meter
