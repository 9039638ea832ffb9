#include "platform/printer.h"

#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QWidget>

namespace meter {

SystemPrinter::SystemPrinter(PrinterLookup lookup) : lookup_(std::move(lookup)) {}

SystemPrinter::~SystemPrinter() { dropJob(); }

void SystemPrinter::dropJob() {
    if (painter_ && painter_->isActive()) {
        if (printer_) printer_->abort();
        painter_->end();
    }
    painter_.reset();
    printer_.reset();
}

bool SystemPrinter::PrintForm(QWidget* window) {
    if (window == nullptr) return false;
    const QPixmap image = window->grab();
    if (image.isNull()) return false;

    if (!painter_) {
        const QPrinterInfo info = lookup_ ? lookup_() : QPrinterInfo();
        if (info.isNull()) return false;
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer_->setDocName(documentName);
        printer_->setPageOrientation(Orientation == Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(printer_.get()) || printer_->printerState() == QPrinter::Error) {
            dropJob();
            return false;
        }
    } else if (!printer_->newPage()) {
        dropJob();
        return false;
    }

    // The painter's coordinates cover the printable area in device pixels.
    const QRect area = painter_->viewport();
    const qreal dpr = image.devicePixelRatio() > 0 ? image.devicePixelRatio() : 1.0;
    const QSizeF logical(image.width() / dpr, image.height() / dpr);
    if (area.isEmpty() || logical.isEmpty()) {
        dropJob();
        return false;
    }
    const QSizeF fitted = logical.scaled(QSizeF(area.size()), Qt::KeepAspectRatio);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform);
    painter_->drawPixmap(QRectF(QPointF(0, 0), fitted), image, QRectF(image.rect()));
    if (printer_->printerState() == QPrinter::Error) {
        dropJob();
        return false;
    }
    return true;
}

bool SystemPrinter::EndDoc() {
    if (!painter_) return true;
    const bool ended = painter_->end();
    const bool ok = ended && printer_->printerState() != QPrinter::Error;
    painter_.reset();
    printer_.reset();
    return ok;
}

} // namespace meter
