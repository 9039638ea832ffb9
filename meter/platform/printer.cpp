#include "platform/printer.h"

#include "core/number_text.h"
#include "platform/log.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QWidget>

#include <cmath>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace meter {

namespace {

// Farther out than any paper: a position beyond it is refused rather than drawn.
constexpr float maxPositionTwips = 1.0e7f;

double twipsOf(double length, QPageSize::Unit unit) {
    switch (unit) {
    case QPageSize::Millimeter: return length / 25.4 * 1440.0;
    case QPageSize::Point: return length * 20.0;
    case QPageSize::Inch: return length * 1440.0;
    case QPageSize::Pica: return length * 240.0;
    case QPageSize::Didot: return length * 0.376 / 25.4 * 1440.0;
    case QPageSize::Cicero: return length * 4.512 / 25.4 * 1440.0;
    }
    return length * 20.0;
}

bool usablePosition(float twips) { return std::isfinite(twips) && std::fabs(twips) <= maxPositionTwips; }

const char* stateName(QPrinter::PrinterState state) {
    switch (state) {
    case QPrinter::Idle: return "idle";
    case QPrinter::Active: return "active";
    case QPrinter::Aborted: return "aborted";
    case QPrinter::Error: return "error";
    }
    return "unknown";
}

// Where a document goes, for the log.
QString destinationOf(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return QStringLiteral("PDF file ") + printer.outputFileName();
    return QStringLiteral("printer \"") + printer.printerName() + QLatin1Char('"');
}

void logPrinterFailure(const QPrinter& printer, const char* what) {
    qCWarning(platformLog, "%s on the %s (printer state: %s)", what, qUtf8Printable(destinationOf(printer)),
              stateName(printer.printerState()));
}

// Qt's PDF engine, under the PDF file and the CUPS queue alike, compresses
// every finished page through two fresh 16 MiB buffers and a fresh zlib state,
// and frees them again. With glibc's default policy such blocks are mapped and
// unmapped one by one, or, once its thresholds have moved, lie at the top of
// the heap when freed and exceed its trim threshold: either way every page
// hands the memory back to the system and faults it in anew, which costs more
// than drawing the page. From the first document on, blocks of up to 32 MiB
// (glibc's largest setting) come from the heap and up to 64 MiB of free heap
// is kept, so the pages of a document reuse the same memory; only what is
// touched becomes resident, a few hundred KiB. Set once, for the whole
// process; an allocator other than glibc's (the sanitizers') keeps its own.
void keepPageBuffers() {
#if defined(__GLIBC__)
    static const bool kept = [] {
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        mallopt(M_TRIM_THRESHOLD, 64 << 20);
        return true;
    }();
    (void)kept;
#endif
}

} // namespace

// ---------------------------------------------------------------------------
// Printer

bool Printer::Print(double number, char decimalSeparator) {
    char digits[numberTextMax + 1];
    char* p = digits;
    if (!(number < 0)) *p++ = ' ';
    p = writeNumberText(p, number, decimalSeparator);
    return printText(QString::fromLatin1(digits, static_cast<qsizetype>(p - digits)));
}

QPageSize Printer::pageSizeOf(int paperSize) {
    switch (paperSize) {
    case 1: return QPageSize(QPageSize::Letter);
    case 5: return QPageSize(QPageSize::Legal);
    case 8: return QPageSize(QPageSize::A3);
    case 9: return QPageSize(QPageSize::A4);
    case 11: return QPageSize(QPageSize::A5);
    default: return {};
    }
}

QPageSize Printer::defaultPageSize() const { return QPageSize(QPageSize::A4); }

std::int32_t Printer::Width() const {
    QPageSize size = pageSizeOf(PaperSize);
    if (!size.isValid()) size = defaultPageSize();
    if (!size.isValid()) size = QPageSize(QPageSize::A4);
    const QSizeF s = size.definitionSize();
    const double side = Orientation == Landscape ? s.height() : s.width();
    return static_cast<std::int32_t>(std::lround(twipsOf(side, size.definitionUnits())));
}

// ---------------------------------------------------------------------------
// SystemPrinter

struct SystemPrinter::ChosenFont {
    QString name;
    float size = 0;
    bool bold = false;
    double ascentTwips = 0;
    double lineTwips = 0;
};

SystemPrinter::SystemPrinter(PrinterLookup lookup) : lookup_(std::move(lookup)) {}

SystemPrinter::~SystemPrinter() { EndDoc(); }

QString SystemPrinter::printedFamily(const QString& name) {
    if (name.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0) return QStringLiteral("Liberation Sans");
    if (name.compare(QLatin1String("Courier"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    return name;
}

QPageSize SystemPrinter::defaultPageSize() const {
    if (printer_) return printer_->pageLayout().pageSize();
    if (outputFileName.isEmpty() && lookup_) {
        const QPrinterInfo info = lookup_();
        if (!info.isNull() && info.defaultPageSize().isValid()) return info.defaultPageSize();
    }
    return Printer::defaultPageSize();
}

bool SystemPrinter::documentOpen() const { return painter_ != nullptr; }

void SystemPrinter::dropDocument() {
    if (painter_ && painter_->isActive()) {
        if (printer_) printer_->abort();
        painter_->end();
    }
    painter_.reset();
    printer_.reset();
    font_.reset();
    pageOpen_ = false;
}

// A paper or orientation the printer does not take leaves the page as it is.
void SystemPrinter::applyPageLayout() {
    const QPageSize size = pageSizeOf(PaperSize);
    if (size.isValid() && !printer_->pageLayout().pageSize().isEquivalentTo(size)) printer_->setPageSize(size);
    const auto orientation = Orientation == Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (printer_->pageLayout().orientation() != orientation) printer_->setPageOrientation(orientation);
    const QPageLayout layout = printer_->pageLayout();
    if (layout.margins() != layout.minimumMargins()) printer_->setPageMargins(layout.minimumMargins(), layout.units());
}

bool SystemPrinter::beginPage() {
    if (!painter_) {
        keepPageBuffers();
        if (outputFileName.isEmpty()) {
            const QPrinterInfo info = lookup_ ? lookup_() : QPrinterInfo();
            if (info.isNull()) {
                qCWarning(platformLog, "Cannot print: no default printer is set up");
                return false;
            }
            printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        } else {
            printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setOutputFileName(outputFileName);
        }
        printer_->setDocName(documentName);
        applyPageLayout();
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(printer_.get()) || printer_->printerState() == QPrinter::Error) {
            logPrinterFailure(*printer_, "Cannot begin a document");
            dropDocument();
            return false;
        }
    } else {
        applyPageLayout();
        if (!printer_->newPage()) {
            logPrinterFailure(*printer_, "Cannot begin a new page");
            dropDocument();
            return false;
        }
    }
    pixelsPerTwip_ = printer_->resolution() / 1440.0;
    pageOpen_ = true;
    return true;
}

bool SystemPrinter::selectFont() {
    const QString& name = FontName();
    const float size = FontSize();
    const bool bold = FontBold();
    if (font_ && font_->size == size && font_->bold == bold && font_->name == name) return true;
    if (!(size > 0) || !std::isfinite(size)) {
        qCWarning(platformLog, "Cannot print in a font of %g points", static_cast<double>(size));
        return false;
    }
    QFont font(printedFamily(name));
    font.setPointSizeF(size);
    font.setBold(bold);
    const QFontMetricsF metrics(font, printer_.get());
    if (!font_) font_ = std::make_unique<ChosenFont>();
    font_->name = name;
    font_->size = size;
    font_->bold = bold;
    font_->ascentTwips = metrics.ascent() / pixelsPerTwip_;
    font_->lineTwips = metrics.height() / pixelsPerTwip_;
    painter_->setFont(font);
    return true;
}

bool SystemPrinter::printText(const QString& text) {
    const float x = CurrentX();
    const float y = CurrentY();
    if (!usablePosition(x) || !usablePosition(y)) {
        qCWarning(platformLog, "Cannot print at (%g, %g) twips: beyond any paper", static_cast<double>(x),
                  static_cast<double>(y));
        return false;
    }
    if (!pageOpen_ && !beginPage()) return false;
    if (!selectFont()) return false;
    painter_->drawText(QPointF(x * pixelsPerTwip_, (y + font_->ascentTwips) * pixelsPerTwip_), text);
    if (printer_->printerState() == QPrinter::Error) {
        logPrinterFailure(*printer_, "Cannot print a text");
        dropDocument();
        return false;
    }
    endLine(static_cast<float>(font_->lineTwips));
    return true;
}

bool SystemPrinter::NewPage() {
    // A page with nothing on it yet is begun, so that it is not lost.
    if (!pageOpen_ && !beginPage()) return false;
    pageOpen_ = false;
    setCurrentX(0);
    setCurrentY(0);
    return true;
}

bool SystemPrinter::PrintForm(QWidget* window) {
    if (window == nullptr) {
        qCWarning(platformLog, "Cannot print a window: none given");
        return false;
    }
    const QPixmap image = window->grab();
    if (image.isNull()) {
        qCWarning(platformLog, "Cannot print the window \"%s\": it gives no image",
                  qUtf8Printable(window->objectName()));
        return false;
    }

    // The window gets a page of its own.
    pageOpen_ = false;
    if (!beginPage()) return false;

    // The painter's coordinates cover the printable area in device pixels.
    const QRect area = painter_->viewport();
    const qreal dpr = image.devicePixelRatio() > 0 ? image.devicePixelRatio() : 1.0;
    const QSizeF logical(image.width() / dpr, image.height() / dpr);
    if (area.isEmpty() || logical.isEmpty()) {
        qCWarning(platformLog, "Cannot print an image of %gx%g on a printable area of %dx%d", logical.width(),
                  logical.height(), area.width(), area.height());
        dropDocument();
        return false;
    }
    const QSizeF fitted = logical.scaled(QSizeF(area.size()), Qt::KeepAspectRatio);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform);
    painter_->drawPixmap(QRectF(QPointF(0, 0), fitted), image, QRectF(image.rect()));
    if (printer_->printerState() == QPrinter::Error) {
        logPrinterFailure(*printer_, "Cannot print a window");
        dropDocument();
        return false;
    }
    pageOpen_ = false;
    return true;
}

bool SystemPrinter::EndDoc() {
    if (!painter_) return true;
    const bool ended = painter_->end();
    const bool ok = ended && printer_->printerState() != QPrinter::Error;
    if (!ok) logPrinterFailure(*printer_, ended ? "The document failed" : "Cannot end the document");
    painter_.reset();
    printer_.reset();
    font_.reset();
    pageOpen_ = false;
    setCurrentX(0);
    setCurrentY(0);
    return ok;
}

} // namespace meter
