#include "windows/form_kit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStringList>

#include <cmath>
#include <utility>
#include <vector>

namespace meter {

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

QRect twipsRect(const DesignRect& r) { return twipsRect(r.left, r.top, r.width, r.height); }

namespace {

QStringList fallbacks(DesignFace face) {
    switch (face) {
    case DesignFace::SimSun:
        return {QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN"),
                QStringLiteral("NSimSun"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
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
        return {QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans Condensed"),
                QStringLiteral("DejaVu Sans")};
    case DesignFace::System:
        break;
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
    if (frameNotYetKnown(window) &&
        !window.findChild<QObject*>(centreWhenFramedName, Qt::FindDirectChildrenOnly))
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

QLabel* makeLabel(QWidget* parent, const LabelSpec& spec) {
    auto* l = new QLabel(parent);
    placeOnSurface(*l);
    if (spec.name) l->setObjectName(QString::fromLatin1(spec.name));
    l->setTextFormat(Qt::PlainText);
    l->setMargin(0);
    l->setFont(spec.font);
    l->setAlignment(spec.align | Qt::AlignTop);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, spec.colour);
    if (spec.background) pal.setColor(QPalette::Window, *spec.background);
    l->setPalette(pal);
    // Without a background of its own the label shows the window behind it.
    l->setAutoFillBackground(spec.background.has_value());
    l->setAttribute(Qt::WA_NoMousePropagation);
    l->setText(spec.text);
    if (spec.geometry.size().isEmpty()) {
        l->move(spec.geometry.topLeft());
        l->adjustSize();
    } else {
        l->setGeometry(spec.geometry);
    }
    if (!spec.visible) l->hide();
    return l;
}

QLineEdit* makeBox(QWidget* parent, const BoxSpec& spec) {
    auto* e = new QLineEdit(spec.text, parent);
    if (spec.name) e->setObjectName(QString::fromLatin1(spec.name));
    e->setGeometry(spec.geometry);
    e->setAlignment(spec.align | Qt::AlignVCenter);
    e->setReadOnly(spec.locked);
    e->setFont(spec.font);
    if (spec.textColour) {
        QPalette pal = e->palette();
        pal.setColor(QPalette::Text, *spec.textColour);
        e->setPalette(pal);
    }
    e->setAttribute(Qt::WA_NoMousePropagation);
    if (!spec.visible) e->hide();
    return e;
}

} // namespace meter
