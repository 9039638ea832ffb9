// The printer object shared by the whole program and the window printing:
// a print job is opened by the first page and released to the printer by EndDoc.
#pragma once

#include <QPrinterInfo>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

namespace meter {

class Printer {
public:
    static constexpr int Portrait = 1;
    static constexpr int Landscape = 2;

    virtual ~Printer() = default;

    // Orientation of the pages printed from now on: 1 portrait, 2 landscape.
    int Orientation = Portrait;

    // Prints an image of the window's client area with its visible controls as
    // one page of the current job, opening a job if none is open. False when no
    // printer is available or the printer refuses the page; no job is then open.
    virtual bool PrintForm(QWidget* window) = 0;
    // Ends the current job and hands it to the printer. False when the printer
    // fails the job. Without an open job it does nothing and returns true.
    virtual bool EndDoc() = 0;
};

// Prints to the system's default printer over Qt's print support (CUPS).
// The window image is scaled to fit the printable area, keeping its aspect
// ratio, and placed at the area's top-left corner.
class SystemPrinter : public Printer {
public:
    // Finds the printer to print to; a null QPrinterInfo means none is available.
    using PrinterLookup = std::function<QPrinterInfo()>;

    explicit SystemPrinter(PrinterLookup lookup = &QPrinterInfo::defaultPrinter);
    ~SystemPrinter() override;

    bool PrintForm(QWidget* window) override;
    bool EndDoc() override;

    // Name given to the print job.
    QString documentName = QStringLiteral("meter");

private:
    void dropJob();

    PrinterLookup lookup_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
};

} // namespace meter
