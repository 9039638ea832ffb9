// Building the program's forms from their designs: twips to pixels, the
// design's fonts in pixels with one fallback list per typeface, colours as the
// design stores them, and the label and text box factories.
#pragma once

#include "core/design_geometry.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QWidget;

namespace meter {

// ---------------------------------------------------------------- geometry

// A design's rectangle in pixels, each side cut off to whole pixels (px).
QRect twipsRect(int left, int top, int width, int height);
QRect twipsRect(const DesignRect& r);

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

struct LabelSpec {
    const char* name = nullptr; // the design's control name, kept as the object name
    QString text{};
    // Pixels. With an empty size the label sizes itself to its text from the
    // top-left corner (the design's AutoSize).
    QRect geometry{};
    QFont font{};
    QColor colour = Qt::black;
    Qt::Alignment align = Qt::AlignLeft; // the text starts at the top
    std::optional<QColor> background{};  // opaque in this colour; none: transparent
    bool visible = true;
};

// A label with plain text. A press on it is its own: it does not reach the
// window below, whose handlers are for its own surface.
QLabel* makeLabel(QWidget* parent, const LabelSpec& spec);

struct BoxSpec {
    const char* name = nullptr;
    QString text = QStringLiteral("0");
    QRect geometry{}; // pixels
    QFont font{};
    Qt::Alignment align = Qt::AlignLeft; // centred vertically
    bool locked = false;                 // read-only
    std::optional<QColor> textColour{};  // none: the system's window text colour
    bool visible = true;
};

// A single-line text box. A press on it does not reach the window below.
QLineEdit* makeBox(QWidget* parent, const BoxSpec& spec);

} // namespace meter
