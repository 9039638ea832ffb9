// A transparent click area over a pictured key of the meter: a picture button
// without a picture, with the hand pointer, clicked when the left button is
// pressed and released inside it. It knows the code of its key.
#pragma once

#include "windows/picture_button.h"

#include <cstdint>

namespace meter {

class KeyArea : public PictureButton {
    Q_OBJECT
public:
    KeyArea(std::uint8_t keyCode, QWidget* parent) : PictureButton(parent), keyCode_(keyCode) {}
    std::uint8_t keyCode() const { return keyCode_; }

private:
    std::uint8_t keyCode_;
};

} // namespace meter
