// The launcher's pictures, drawn in code: background, button labels, icon and hand pointer.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace installer {

inline constexpr int kBackgroundWidth = 634;
inline constexpr int kBackgroundHeight = 472;
inline constexpr int kButtonPictureWidth = 115;
inline constexpr int kButtonPictureHeight = 45;
inline constexpr int kHandSize = 32;
inline constexpr int kHandHotX = 12;
inline constexpr int kHandHotY = 1;

// Blue gradient with a light wave along the top and the word INSTALLER in large white letters.
QPixmap backgroundPicture();
// A light-blue rectangle with the label in white letters.
QPixmap buttonPicture(const QString& label);
// The window icon, with images of 16, 32 and 48 pixels.
QIcon launcherIcon();
// The 32 x 32 image of the pointing hand; the fingertip is at (12, 1).
QPixmap handPicture();
// The pointing hand shown over the buttons, hot spot at the fingertip.
QCursor handCursor();

} // namespace installer
