// The launcher window: a borderless picture with four buttons that start the medium's programs.
#pragma once

#include "launcher_services.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace installer {

class PictureButton;

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidth = 9540 / kTwipsPerPixel;  // 636
inline constexpr int kClientHeight = 7050 / kTwipsPerPixel; // 470

// Message texts.
inline constexpr const char* kFileNotFound = "File not found!";
inline constexpr const char* kDriveTypeError = "Drive type error!";
inline constexpr const char* kFileStartError = "File start error!";

class Form1 : public QWidget {
    Q_OBJECT
public:
    // mediumFolder: the folder that holds the launcher's own executable.
    Form1(const QString& mediumFolder, LauncherServices services, QWidget* parent = nullptr);

    const QString& mediumFolder() const { return folder_; }

    PictureButton* btn_conn() const { return btnConn_; } // Software
    PictureButton* Image1() const { return image1_; }    // Driver 32
    PictureButton* Image3() const { return image3_; }    // Driver 64
    PictureButton* Image2() const { return image2_; }    // Exit

public slots:
    void btn_conn_Click();
    void Image1_Click();
    void Image3_Click();
    void Image2_Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PictureButton* makeButton(const QString& label, int leftTwips);
    void startDriver(const QString& path);
    void message(const QString& text);

    QString folder_;
    LauncherServices services_;
    QPixmap background_;
    PictureButton* btnConn_;
    PictureButton* image1_;
    PictureButton* image3_;
    PictureButton* image2_;
};

} // namespace installer
