#include "windows/form_kit.h"

#include "platform/image_list.h"
#include "windows/hand_cursor.h"
#include "windows/pick_list.h"
#include "windows/picture_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStringList>

#include <cmath>
#include <utility>
#include <vector>

namespace meter {

namespace {

QStringList fallbacks(DesignFace face) {
    switch (face) {
    case DesignFace::SimSun:
        return {QStringLiteral("SimSun"),          QStringLiteral("宋体"),
                QStringLiteral("AR PL UMing CN"),  QStringLiteral("NSimSun"),
                QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    case DesignFace::MSSansSerif:
        return {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    case DesignFace::Arial:
        return {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    case DesignFace::ArialUnicodeMS:
        return {QStringLiteral("Arial Unicode MS"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                QStringLiteral("DejaVu Sans")};
    case DesignFace::Tahoma:
        // Faces of about Tahoma's width.
        return {QStringLiteral("Tahoma"),      QStringLiteral("Liberation Sans"),       QStringLiteral("Arial"),
                QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")};
    case DesignFace::System: break;
    }
    return {};
}

// Whether a face can draw text whose em is `pixels` high. An outline face
// can at any size. A bitmap face has a few strikes, and Qt reaches only the
// first of Wine's MS Sans Serif: its 8-point size, a 13 px cell for an 11 px
// em. Windows draws a bitmap face at the strike whose cell is the em asked
// for plus its internal leading, at most a quarter more; a strike outside that
// would draw the text smaller or larger than its design.
bool drawsAtSize(const QString& family, int pixels) {
    if (!QFontDatabase::hasFamily(family) || QFontDatabase::isSmoothlyScalable(family) ||
        QFontDatabase::isBitmapScalable(family))
        return true;
    QFont f(family);
    f.setPixelSize(pixels);
    const int cell = QFontInfo(f).pixelSize();
    return cell >= pixels && cell * 4 <= pixels * 5;
}

} // namespace

int pointsToPixels(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

namespace {

QFont buildFont(DesignFace face, int pixels, bool bold, bool italic) {
    QFont f;
    if (face == DesignFace::System) {
        f = QGuiApplication::font();
    } else {
        QStringList families = fallbacks(face);
        families.removeIf([pixels](const QString& family) { return !drawsAtSize(family, pixels); });
        f.setFamilies(families);
        f.setStyleHint(QFont::SansSerif);
    }
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

struct FontKey {
    DesignFace face;
    int pixels;
    bool bold, italic;
    bool operator==(const FontKey&) const = default;
};

// The fonts built so far, from the faces there were at the first use of each
// (the program adds its own before it builds a window). They go before the
// application does, while its font database is still there.
std::vector<std::pair<FontKey, QFont>> builtFonts;

void forgetBuiltFonts() { std::vector<std::pair<FontKey, QFont>>().swap(builtFonts); }

} // namespace

QFont pixelFont(DesignFace face, int pixels, bool bold, bool italic) {
    const FontKey key{face, pixels, bold, italic};
    for (const auto& [k, font] : builtFonts)
        if (k == key) return font;
    if (builtFonts.empty()) qAddPostRoutine(forgetBuiltFonts);
    builtFonts.emplace_back(key, buildFont(face, pixels, bold, italic));
    return builtFonts.back().second;
}

QFont designFont(DesignFace face, double points, bool bold, bool italic) {
    return pixelFont(face, pointsToPixels(points), bold, italic);
}

QFont designFont(const FontDesign& font) { return designFont(font.face, font.points, font.bold, font.italic); }

namespace {

// Half the room the screen leaves beside the whole window, frame included,
// on each side, in whole pixels cut off. (The screen's centre pixel would be
// one off: (0 + 1599) / 2 is 799.)
void placeCentred(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize frame = window.frameGeometry().size();
    // A window's position is that of its frame.
    window.move(area.left() + (area.width() - frame.width()) / 2, area.top() + (area.height() - frame.height()) / 2);
}

bool frameNotYetKnown(const QWidget& window) {
    return window.isWindow() && !(window.windowFlags() & Qt::FramelessWindowHint) &&
           window.frameGeometry() == window.geometry();
}

const QString centreWhenFramedName = QStringLiteral("centreWhenFramed");

// A window with a frame that is not known yet (before it is shown, and on
// some systems until the window manager has framed it) is centred by its
// client area at first; this centres it again, once, when the frame is there.
class CentreWhenFramed final : public QObject {
public:
    explicit CentreWhenFramed(QWidget& window) : QObject(&window), window_(window) {
        setObjectName(centreWhenFramedName);
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == &window_ &&
            (e->type() == QEvent::Show || e->type() == QEvent::Move || e->type() == QEvent::Resize) &&
            !frameNotYetKnown(window_)) {
            window_.removeEventFilter(this);
            placeCentred(window_);
            deleteLater();
        }
        return false;
    }

private:
    QWidget& window_;
};

} // namespace

void centreOnScreen(QWidget& window) {
    placeCentred(window);
    if (frameNotYetKnown(window) && !window.findChild<QObject*>(centreWhenFramedName, Qt::FindDirectChildrenOnly))
        new CentreWhenFramed(window);
}

namespace {

const char* const surfaceProperty = "onContainerSurface";

} // namespace

void placeOnSurface(QWidget& item) {
    item.setProperty(surfaceProperty, true);
    QWidget* container = item.parentWidget();
    if (!container) return;
    // Siblings lie bottom first: directly beneath the lowest control that is
    // a window of its own, so above the surface items made before.
    for (QObject* o : container->children()) {
        if (o == &item || !o->isWidgetType()) continue;
        auto* sibling = static_cast<QWidget*>(o);
        if (sibling->isWindow() || sibling->property(surfaceProperty).toBool()) continue;
        item.stackUnder(sibling);
        return;
    }
}

namespace {

QString textOf(QAnyStringView text) { return text.toString(); }

void setFontOf(QWidget& control, const std::optional<FontDesign>& font) {
    if (font) control.setFont(designFont(*font));
}

void setNameOf(QWidget& control, const char* name) {
    if (name) control.setObjectName(QString::fromLatin1(name));
}

void setHandCursor(QWidget& control, bool hand) {
    if (hand) control.setCursor(handCursor());
}

} // namespace

QLabel* makeLabel(QWidget* parent, const LabelSpec& spec) {
    auto* l = new QLabel(parent);
    placeOnSurface(*l);
    setNameOf(*l, spec.name);
    l->setTextFormat(Qt::PlainText);
    l->setMargin(0);
    setFontOf(*l, spec.font);
    l->setAlignment(spec.align & Qt::AlignVertical_Mask ? spec.align : spec.align | Qt::AlignTop);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, spec.colour);
    if (spec.background) pal.setColor(QPalette::Window, *spec.background);
    l->setPalette(pal);
    // Without a background of its own the label shows the window behind it.
    l->setAutoFillBackground(spec.background.has_value());
    l->setAttribute(Qt::WA_NoMousePropagation);
    l->setText(textOf(spec.text));
    if (spec.geometry.size().isEmpty()) {
        l->move(spec.geometry.topLeft());
        l->adjustSize();
    } else {
        l->setGeometry(spec.geometry);
    }
    if (!spec.visible) l->hide();
    return l;
}

QLabel* makeImage(QWidget* parent, const ImageSpec& spec) {
    auto* l = new QLabel(parent);
    placeOnSurface(*l);
    setNameOf(*l, spec.name);
    if (spec.picture) l->setPixmap(spec.picture());
    l->setAttribute(Qt::WA_NoMousePropagation);
    l->setGeometry(spec.geometry.size().isEmpty() ? QRect(spec.geometry.topLeft(), l->pixmap().size()) : spec.geometry);
    if (!spec.visible) l->hide();
    return l;
}

QLineEdit* makeBox(QWidget* parent, const BoxSpec& spec) {
    auto* e = new QLineEdit(textOf(spec.text), parent);
    setNameOf(*e, spec.name);
    e->setGeometry(spec.geometry);
    e->setAlignment(spec.align | Qt::AlignVCenter);
    e->setReadOnly(spec.locked);
    setFontOf(*e, spec.font);
    if (spec.textColour) {
        QPalette pal = e->palette();
        pal.setColor(QPalette::Text, *spec.textColour);
        e->setPalette(pal);
    }
    e->setAttribute(Qt::WA_NoMousePropagation);
    if (!spec.visible) e->hide();
    return e;
}

QCheckBox* makeCheckBox(QWidget* parent, const CheckSpec& spec) {
    auto* c = new QCheckBox(textOf(spec.text), parent);
    setNameOf(*c, spec.name);
    c->setGeometry(spec.geometry);
    setFontOf(*c, spec.font);
    c->setChecked(spec.checked);
    setHandCursor(*c, spec.handCursor);
    c->setAttribute(Qt::WA_NoMousePropagation);
    if (!spec.visible) c->hide();
    return c;
}

QRadioButton* makeOption(QWidget* parent, const OptionSpec& spec) {
    auto* b = new QRadioButton(textOf(spec.text), parent);
    setNameOf(*b, spec.name);
    b->setGeometry(spec.geometry);
    setFontOf(*b, spec.font);
    QPalette pal = b->palette();
    if (spec.background) pal.setColor(b->backgroundRole(), *spec.background);
    pal.setColor(QPalette::WindowText, spec.colour);
    b->setPalette(pal);
    b->setAutoFillBackground(spec.background.has_value());
    setHandCursor(*b, spec.handCursor);
    b->setAttribute(Qt::WA_NoMousePropagation);
    if (!spec.visible) b->hide();
    return b;
}

QComboBox* makeComboBox(QWidget* parent, const ComboSpec& spec) {
    QComboBox* c = nullptr;
    if (spec.pickList) {
        c = new PickList(parent);
    } else {
        c = new QComboBox(parent);
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        // Without completion the text stays as typed, and it matches an item
        // only letter for letter.
        if (!spec.completes) c->setCompleter(nullptr);
    }
    setNameOf(*c, spec.name);
    c->setGeometry(spec.geometry);
    setFontOf(*c, spec.font);
    setHandCursor(*c, spec.handCursor);
    setHandCursor(*c->lineEdit(), spec.handCursor);
    c->setAttribute(Qt::WA_NoMousePropagation);
    if (!spec.visible) c->hide();
    return c;
}

QPushButton* makeButton(QWidget* parent, const ButtonSpec& spec) {
    auto* b = new QPushButton(textOf(spec.text), parent);
    setNameOf(*b, spec.name);
    b->setGeometry(spec.geometry);
    setFontOf(*b, spec.font);
    if (spec.isDefault) b->setDefault(true);
    setHandCursor(*b, spec.handCursor);
    b->setAttribute(Qt::WA_NoMousePropagation);
    if (!spec.visible) b->hide();
    return b;
}

PictureButton* makePictureButton(QWidget* parent, const PictureButtonSpec& spec, const ImageList* images) {
    auto* b = new PictureButton(parent);
    setNameOf(*b, spec.name);
    if (images && spec.hover != 0) b->setImages(images, spec.hover, spec.normal); // sized to its images
    else if (images) b->setPicture(images->ListImages(spec.normal));
    else if (spec.picture) b->setPicture(spec.picture());
    if (spec.geometry.size().isEmpty()) b->move(spec.geometry.topLeft());
    else b->setGeometry(spec.geometry);
    if (spec.tip) b->setToolTip(QString::fromLatin1(spec.tip));
    if (!spec.visible) b->hide();
    return b;
}

} // namespace meter
