// A borderless picture control that reports a click: press and release of the left button on it.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace installer {

class PictureButton : public QWidget {
    Q_OBJECT
public:
    PictureButton(const QPixmap& picture, QWidget* parent = nullptr);

    const QPixmap& picture() const { return picture_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    bool pressed_ = false;
};

} // namespace installer
