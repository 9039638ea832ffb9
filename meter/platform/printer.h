// The printer object shared by the whole program, with the window printing:
// paper, orientation, font, print position, items of text, pages. A document
// begins with the first item or window printed, a page with the first item
// printed on it, and EndDoc hands the document to the printer.
#pragma once

#include <QPrinterInfo>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

namespace meter {

// The defaults of NewPage, documentOpen and the printing of items are those of
// a printer object that prints windows only: it refuses items and pages.
class Printer {
public:
    static constexpr int Portrait = 1;
    static constexpr int Landscape = 2;
    // Paper sizes: 1 Letter, 5 Legal, 8 A3, 9 A4, 11 A5; 0 (the start value)
    // and any other number: the printer's own paper.
    static constexpr int PaperA4 = 9;

    virtual ~Printer() = default;

    // Paper and orientation of the pages begun from now on (a page begins with
    // its first item, so values set after NewPage apply to the next page).
    int PaperSize = 0;
    int Orientation = Portrait;

    // The font of the items printed from now on. The typeface is one name,
    // set through Font.Name and FontName alike; the size is in points.
    virtual void setFontName(const QString& name) { fontName_ = name; }
    virtual void setFontSize(float points) { fontSize_ = points; }
    virtual void setFontBold(bool bold) { fontBold_ = bold; }
    const QString& FontName() const { return fontName_; }
    float FontSize() const { return fontSize_; }
    bool FontBold() const { return fontBold_; }

    // The print position in twips from the top-left corner of the printable
    // area, read back as the printer holds it.
    virtual void setCurrentX(float twips) { currentX_ = twips; }
    virtual void setCurrentY(float twips) { currentY_ = twips; }
    virtual float CurrentX() const { return currentX_; }
    virtual float CurrentY() const { return currentY_; }

    // Width of the paper in twips, in the current orientation.
    virtual std::int32_t Width() const;

    // Prints one item with the top-left corner of its text at the print
    // position, then ends the line: x goes back to 0 and y down by one line of
    // the font. A number is printed in the general number form with the given
    // decimal separator, with a blank in the place of the sign when it is not
    // negative (7 prints " 7").
    // False when no printer is available or the printer refuses the item.
    bool Print(const QString& text) { return printText(text); }
    bool Print(double number, char decimalSeparator);

    // Ends the current page; the next item printed begins a new one.
    virtual bool NewPage() { return false; }

    // Prints an image of the window's client area with its visible controls as
    // a page of its own in the current document, beginning a document if none
    // is open. False when no printer is available or the printer refuses the
    // page; no document is then open.
    virtual bool PrintForm(QWidget* window) = 0;

    // Ends the document and hands it to the printer. False when the printer
    // fails it. Without an open document it does nothing and returns true.
    virtual bool EndDoc() = 0;

    // Whether a document has begun and not yet been ended.
    virtual bool documentOpen() const { return false; }

    // Every print command begins with this. A command that fails on the way
    // leaves its document open, with what it had printed so far; that document
    // is ended here and handed to the printer, so that the new command begins
    // a document of its own. The printer hands it over as well when it is
    // destroyed at the end of the program.
    void endDocumentLeftOpen() {
        if (documentOpen()) EndDoc();
    }

protected:
    // Prints one item of text (see Print).
    virtual bool printText(const QString&) { return false; }

    // The size of the paper numbered `paperSize`; invalid for the printer's own.
    static QPageSize pageSizeOf(int paperSize);
    // The printer's own paper.
    virtual QPageSize defaultPageSize() const;

    // The line end after an item: back to the left edge, one line further down.
    void endLine(float lineHeightTwips) {
        currentX_ = 0;
        currentY_ += lineHeightTwips;
    }

private:
    QString fontName_;
    float fontSize_ = 10;
    bool fontBold_ = false;
    float currentX_ = 0;
    float currentY_ = 0;
};

// Prints to the system's default printer over Qt's print support (CUPS), or to
// a PDF file. The page margins are the printer's smallest, so positions count
// from the corner of the printable area. "Arial" is printed in the metric-
// compatible Liberation Sans and "Courier" in Liberation Mono. A window image
// is scaled to fit the printable area, keeping its aspect ratio, and placed at
// the area's top-left corner. Why a call fails (no default printer, a page or
// document the printer refuses, with its state) is written to the log
// ("meter.platform").
class SystemPrinter : public Printer {
public:
    // Finds the printer to print to; a null QPrinterInfo means none is available.
    using PrinterLookup = std::function<QPrinterInfo()>;

    explicit SystemPrinter(PrinterLookup lookup = &QPrinterInfo::defaultPrinter);
    // An open document is handed to the printer.
    ~SystemPrinter() override;

    bool NewPage() override;
    bool PrintForm(QWidget* window) override;
    bool EndDoc() override;
    bool documentOpen() const override;

    // Name given to the print job.
    QString documentName = QStringLiteral("meter");
    // When set, documents go to this PDF file instead of the printer (taken
    // when a document begins).
    QString outputFileName;

    // The family a typeface name is printed in.
    static QString printedFamily(const QString& name);

protected:
    bool printText(const QString& text) override;
    QPageSize defaultPageSize() const override;

private:
    bool beginPage();
    void applyPageLayout();
    bool selectFont();
    void dropDocument();

    PrinterLookup lookup_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    bool pageOpen_ = false;
    double pixelsPerTwip_ = 1;

    // The font last handed to the painter and its metrics in twips.
    struct ChosenFont;
    std::unique_ptr<ChosenFont> font_;
};

} // namespace meter
