// A picture button: a borderless picture box showing a pixmap from its
// top-left corner, with the hand pointer over it, clicked by the left button
// pressed and released inside it. With hover and normal images from an image
// list it follows the hover rule: every mouse move captures the mouse first;
// a pointer inside (the right and bottom edges included) shows the hover
// image, one outside shows the normal image and releases the capture.
// A click handler first releases the capture and shows the normal image
// (endClick), then runs its command.
#pragma once

#include "platform/image_list.h"

#include <QPixmap>
#include <QWidget>

namespace meter {

class PictureButton : public QWidget {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    void setPicture(const QPixmap& p);
    const QPixmap& picture() const { return picture_; }

    // Hover and normal images by number; the button takes the normal one and
    // fits its size to it.
    void setImages(const ImageList* list, int hoverImage, int normalImage);
    int hoverImage() const { return hover_; }
    int normalImage() const { return normal_; }
    // Number of the image shown now (0 when the button has no list).
    int shownImage() const { return shown_; }
    void showImage(int n);
    void showNormalImage() { showImage(normal_); }
    // The first steps of a click: the mouse capture released, the normal image back.
    void endClick();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPixmap picture_;
    const ImageList* list_ = nullptr;
    int hover_ = 0, normal_ = 0, shown_ = 0;
    bool pressed_ = false;
};

} // namespace meter
