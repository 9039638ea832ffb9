// Building the program's forms from their designs: twips to pixels, the
// design's fonts in pixels with one fallback list per typeface, colours as the
// design stores them, the factories of the controls, and the design tables
// that the windows are built from.
#pragma once

#include "core/design_geometry.h"

#include <QAnyStringView>
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>

#include <cstdint>
#include <optional>
#include <variant>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace meter {

// ---------------------------------------------------------------- geometry

// A design's rectangle in pixels, each side cut off to whole pixels (px).
constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}
constexpr QRect twipsRect(const DesignRect& r) { return twipsRect(r.left, r.top, r.width, r.height); }

// ---------------------------------------------------------------- fonts

// The typefaces the designs name. Where a face is missing, each falls back
// along its own list, so every window that names it looks the same. Each list
// starts with a twin of the face's widths, so that the texts fit the boxes they
// were laid out in: Debian's AR PL UMing gives SimSun's half-width Latin
// letters, and Wine's Tahoma and MS Sans Serif (added by addWineFonts) share
// the names and metrics of the faces they replace.
enum class DesignFace {
    SimSun,         // "宋体" -> AR PL UMing CN, NSimSun, Liberation Sans, DejaVu Sans
    MSSansSerif,    // -> Microsoft Sans Serif, Liberation Sans, DejaVu Sans
    Arial,          // -> Liberation Sans
    ArialUnicodeMS, // "@Arial Unicode MS" -> Arial, Liberation Sans, DejaVu Sans
    Tahoma,         // -> Liberation Sans, Arial, Nimbus Sans, DejaVu Sans
    System,         // the platform's default dialog font (the application font)
};

// Points at 96 dots per inch, to the nearest pixel: 11.25 pt is 15 px, 8.25 pt 11 px.
int pointsToPixels(double points);

// A design font at a size in pixels (artwork) or in points (designs). A face
// that exists only as bitmaps (Wine's MS Sans Serif) is drawn at one of its
// strikes whatever size is asked for, so it stays in the list only where it
// has the strike Windows would take for that size; elsewhere the next face
// draws the text at the size asked for. Each font is built once for its
// face, size and style, and shared by everything that asks for it.
QFont pixelFont(DesignFace face, int pixels, bool bold = false, bool italic = false);
QFont designFont(DesignFace face, double points, bool bold = false, bool italic = false);

// A font as a design names it, for the design tables.
struct FontDesign {
    DesignFace face = DesignFace::System;
    double points = 9;
    bool bold = false;
    bool italic = false;
};
QFont designFont(const FontDesign& font);

// ---------------------------------------------------------------- colours

// A colour as the design stores it, &H00BBGGRR: storedColour(0x00FFFF80) is
// light cyan (red 0x80, green 0xFF, blue 0xFF).
constexpr QColor storedColour(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

// ---------------------------------------------------------------- placing

// Moves a top-level window, its frame included, to the centre of its screen
// (the primary screen before it is shown): left = (screen width - window
// width) / 2, top likewise, cut off to whole pixels. A frame that is not
// known yet is taken into account as soon as it is.
void centreOnScreen(QWidget& window);

// ---------------------------------------------------------------- controls

// Labels, pictures and shapes are drawn on the surface of their container:
// beneath every control of it that is a window of its own (text box, list,
// button, scroll bar, picture box), whenever that control was made, and above
// the surface items made before them. makeLabel places its labels so.
void placeOnSurface(QWidget& item);

// What the factories below make a control from: the design's values of it.
// Names are the design's control names, kept as object names (none: the
// control has no name); texts are UTF-8; rectangles are in pixels; a control
// without a font takes its container's. Every control keeps the presses made
// on it: they do not reach the window below, whose handlers are for its own
// surface.

struct LabelSpec {
    const char* name = nullptr;
    QAnyStringView text{}; // plain text
    // With an empty size the label sizes itself to its text from the
    // top-left corner (the design's AutoSize).
    QRect geometry{};
    std::optional<FontDesign> font{};
    QColor colour{0, 0, 0}; // black
    // The text starts at the top unless a vertical alignment is given.
    Qt::Alignment align = Qt::AlignLeft;
    std::optional<QColor> background{}; // opaque in this colour; none: transparent
    bool visible = true;
};
QLabel* makeLabel(QWidget* parent, const LabelSpec& spec);

// A single-line text box, its text centred vertically.
struct BoxSpec {
    const char* name = nullptr;
    QAnyStringView text = "0";
    QRect geometry{};
    std::optional<FontDesign> font{};
    Qt::Alignment align = Qt::AlignLeft;
    bool locked = false;                // read-only
    std::optional<QColor> textColour{}; // none: the system's window text colour
    bool visible = true;
};
QLineEdit* makeBox(QWidget* parent, const BoxSpec& spec);

struct CheckSpec {
    const char* name = nullptr;
    QAnyStringView text{};
    QRect geometry{};
    std::optional<FontDesign> font{};
    bool checked = false;
    bool handCursor = false; // the hand pointer of the picture buttons
    bool visible = true;
};
QCheckBox* makeCheckBox(QWidget* parent, const CheckSpec& spec);

// An option (radio) button.
struct OptionSpec {
    const char* name = nullptr;
    QAnyStringView text{};
    QRect geometry{};
    std::optional<FontDesign> font{};
    QColor colour{0, 0, 0};             // black
    std::optional<QColor> background{}; // behind the caption; none: transparent
    bool handCursor = false;
    bool visible = true;
};
QRadioButton* makeOption(QWidget* parent, const OptionSpec& spec);

// A drop-down list with editable text; what is typed is not added to the
// list. Its items are the window's to add.
struct ComboSpec {
    const char* name = nullptr;
    QRect geometry{};
    std::optional<FontDesign> font{};
    // A PickList: only a pick from the list counts, and typing completes nothing.
    bool pickList = false;
    // Otherwise: whether typing is completed from the items.
    bool completes = true;
    bool handCursor = false; // over the edit field as well, which has a pointer of its own
    bool visible = true;
};
QComboBox* makeComboBox(QWidget* parent, const ComboSpec& spec);

// A push (command) button.
struct ButtonSpec {
    const char* name = nullptr;
    QAnyStringView text{};
    QRect geometry{};
    std::optional<FontDesign> font{};
    bool isDefault = false; // Enter presses it
    bool handCursor = false;
    bool visible = true;
};
QPushButton* makeButton(QWidget* parent, const ButtonSpec& spec);

// An image control: a picture on the container's surface, where labels lie.
struct ImageSpec {
    const char* name = nullptr;
    QRect geometry{}; // an empty size: the picture's size
    QPixmap (*picture)() = nullptr;
    bool visible = true;
};
QLabel* makeImage(QWidget* parent, const ImageSpec& spec);

class ImageList;
class PictureButton;

// A picture button: hover and normal image from an image list, the normal
// image alone, or a picture of its own.
struct PictureButtonSpec {
    const char* name = nullptr;
    QRect geometry{}; // an empty size: the size of its images
    const char* tip = nullptr;
    int hover = 0;                  // 0: no hover rule, the normal image as the picture
    int normal = 0;                 // of the image list
    QPixmap (*picture)() = nullptr; // without an image list
    bool visible = true;
};
PictureButton* makePictureButton(QWidget* parent, const PictureButtonSpec& spec, const ImageList* images = nullptr);

// ---------------------------------------------------------------- design tables

// A window is built from design tables: file-scope constant arrays of its
// controls in the order they are made, which is their stacking and tab order.
// Each row names the window's member that is to hold the control (none: the
// window keeps no pointer to it) and the design's values:
//
//     using Design = FormDesign<Statusfrm>;
//     const Design::Control headings[] = {
//         Design::Label{&Statusfrm::Label12, {.name = "Label12", .text = "MAXIMUM", ...}},
//         Design::Box{&Statusfrm::Text1, {.name = "Text1", ...}},
//     };
//     makeControls(*this, this, headings);
//
// Controls that are not the kit's (picture boxes, scroll bars) are made
// between two tables, where their order puts them.

template <class Window, class Control, class Spec>
struct Designed {
    Control* Window::*member = nullptr;
    Spec spec{};
};

// A picture button takes its images from an image list of the window.
template <class Window>
struct Designed<Window, PictureButton, PictureButtonSpec> {
    PictureButton* Window::*member = nullptr;
    const ImageList Window::*images = nullptr; // none: spec.picture
    PictureButtonSpec spec{};
};

template <class Window>
struct FormDesign {
    using Label = Designed<Window, QLabel, LabelSpec>;
    using Image = Designed<Window, QLabel, ImageSpec>;
    using Box = Designed<Window, QLineEdit, BoxSpec>;
    using Check = Designed<Window, QCheckBox, CheckSpec>;
    using Option = Designed<Window, QRadioButton, OptionSpec>;
    using Combo = Designed<Window, QComboBox, ComboSpec>;
    using Button = Designed<Window, QPushButton, ButtonSpec>;
    using PictureButton = Designed<Window, meter::PictureButton, PictureButtonSpec>;
    using Control = std::variant<Label, Image, Box, Check, Option, Combo, Button, PictureButton>;
};

namespace form_kit_detail {

inline QLabel* make(QWidget* parent, const LabelSpec& spec) { return makeLabel(parent, spec); }
inline QLabel* make(QWidget* parent, const ImageSpec& spec) { return makeImage(parent, spec); }
inline QLineEdit* make(QWidget* parent, const BoxSpec& spec) { return makeBox(parent, spec); }
inline QCheckBox* make(QWidget* parent, const CheckSpec& spec) { return makeCheckBox(parent, spec); }
inline QRadioButton* make(QWidget* parent, const OptionSpec& spec) { return makeOption(parent, spec); }
inline QComboBox* make(QWidget* parent, const ComboSpec& spec) { return makeComboBox(parent, spec); }
inline QPushButton* make(QWidget* parent, const ButtonSpec& spec) { return makeButton(parent, spec); }

template <class Window, class Control, class Spec>
void make(Window& window, QWidget* parent, const Designed<Window, Control, Spec>& row) {
    Control* control = make(parent, row.spec);
    if (row.member) window.*row.member = control;
}

template <class Window>
void make(Window& window, QWidget* parent, const Designed<Window, PictureButton, PictureButtonSpec>& row) {
    PictureButton* button = makePictureButton(parent, row.spec, row.images ? &(window.*row.images) : nullptr);
    if (row.member) window.*row.member = button;
}

} // namespace form_kit_detail

// Makes the controls of a design table on `parent`, in the table's order, and
// stores each in its member of `window`.
template <class Window, class Table>
void makeControls(Window& window, QWidget* parent, const Table& table) {
    for (const auto& row : table) std::visit([&](const auto& r) { form_kit_detail::make(window, parent, r); }, row);
}

} // namespace meter
