// Spreadsheet automation: the objects of a spreadsheet application that the
// workbook export drives, with the members it calls, and the component that
// provides the class "Excel.Application" here: a workbook writer over
// libxlsxwriter. Every call either completes or reports a failure (false or a
// null reference), whose cause the writer puts in the log ("meter.platform",
// with libxlsxwriter's error text); a reference that is released is simply
// dropped.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <variant>

namespace meter {

// A value assigned to a cell: a 32-bit integer, a 64-bit float or a text
// (UTF-8). A spreadsheet keeps no empty text: assigning one leaves the cell empty.
using CellValue = std::variant<std::int32_t, double, std::string_view>;

class Worksheet {
public:
    // Cells(row, column), counted from 1.
    class Range {
    public:
        // Value = value. False when the sheet refuses it (a cell outside the
        // sheet, a number that is not finite, a sheet already saved).
        bool setValue(const CellValue& value) const { return sheet_.setCellValue(row_, column_, value); }

    private:
        friend class Worksheet;
        Range(Worksheet& sheet, int row, int column) : sheet_(sheet), row_(row), column_(column) {}
        Worksheet& sheet_;
        int row_;
        int column_;
    };

    virtual ~Worksheet() = default;
    Range Cells(int row, int column) { return Range(*this, row, column); }
    // Saves the sheet's workbook under this name, exactly as given.
    virtual bool SaveAs(const QString& fileName) = 0;

protected:
    virtual bool setCellValue(int row, int column, const CellValue& value) = 0;
};

class Workbook {
public:
    virtual ~Workbook() = default;
    // Worksheets(name): the sheet of that name; null when there is none.
    virtual std::shared_ptr<Worksheet> Worksheets(const QString& name) = 0;
};

class WorkbookCollection {
public:
    virtual ~WorkbookCollection() = default;
    // Add: a new workbook; null when none can be made.
    virtual std::shared_ptr<Workbook> Add() = 0;
};

class SpreadsheetApplication {
public:
    virtual ~SpreadsheetApplication() = default;
    virtual WorkbookCollection& Workbooks() = 0;
    virtual bool setVisible(bool visible) = 0;
    // Ends the application; a workbook that was not saved is dropped.
    virtual bool Quit() = 0;
};

// Creates a new application object by its class name; null when nothing
// provides that class.
using ApplicationFactory = std::function<std::shared_ptr<SpreadsheetApplication>(const QString& className)>;

// The classes this program provides: "Excel.Application" (the name's case does
// not matter), a writer of Office Open XML workbooks, whatever the name they
// are saved under. New workbooks have the one sheet "Sheet1". A row is written
// out as soon as a later one is begun, so a cell above the row being filled is
// refused. A workbook is saved once, through a FileReplacement: the target is
// replaced only by a complete workbook. A workbook released unsaved, or
// unsaved when the application quits, is dropped and leaves nothing behind.
// `tempFolder` holds the writer's scratch files, and a new workbook for a
// target whose folder takes no new file until it is copied into the target;
// empty: the system's temporary folder.
ApplicationFactory automationObjects(QString tempFolder = {});

} // namespace meter
