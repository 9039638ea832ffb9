#include "output/workbook_export.h"

#include "output/log.h"
#include "platform/common_dialog.h"
#include "platform/message_boxes.h"

namespace meter {

namespace {

// The program's references to the automation objects, released in this order
// when the export ends, however it ends.
struct References {
    std::shared_ptr<SpreadsheetApplication> application;
    std::shared_ptr<Workbook> workbook;
    std::shared_ptr<Worksheet> sheet;

    ~References() {
        application.reset();
        workbook.reset();
        sheet.reset();
    }
};

bool writeRecord(Worksheet& sheet, int row, const FileRecord& r) {
    return sheet.Cells(row, 1).setValue(r.no) && sheet.Cells(row, 2).setValue(r.timeText.view()) &&
           sheet.Cells(row, 3).setValue(r.value) && sheet.Cells(row, 4).setValue(r.unitText.view());
}

// Each step runs only when every step before it has succeeded. The objects
// tell the cause of a failed step in the log.
bool exportRecords(const SharedState& state, const QString& fileName, const ApplicationFactory& createObject) {
    References refs;
    refs.application = createObject ? createObject(QStringLiteral("Excel.Application")) : nullptr;
    if (!refs.application) {
        qCWarning(outputLog, "Cannot export to %s: nothing provides the class \"Excel.Application\"",
                  qUtf8Printable(fileName));
        return false;
    }
    refs.workbook = refs.application->Workbooks().Add();
    if (!refs.workbook) return false;
    refs.sheet = refs.workbook->Worksheets(QStringLiteral("Sheet1"));
    if (!refs.sheet) return false;
    if (!refs.application->setVisible(false)) return false;

    Worksheet& sheet = *refs.sheet;
    if (!sheet.Cells(1, 1).setValue("NO.") || !sheet.Cells(1, 2).setValue("TIME") ||
        !sheet.Cells(1, 3).setValue("DATA") || !sheet.Cells(1, 4).setValue("dBA\\dBC"))
        return false;
    const std::int32_t count = state.fileRecordCount;
    for (std::int32_t i = 1; i <= count && i <= FileRecordStore::capacity; ++i)
        if (!writeRecord(sheet, i + 1, state.fileRecords[i])) return false;

    return sheet.SaveAs(fileName) && refs.application->Quit();
}

} // namespace

void exportToExcelCommand(const SharedState& state, CommonDialog& dialog, MessageBoxes& boxes,
                          const ApplicationFactory& createObject) {
    if (state.fileRecordCount <= 0) return;
    dialog.Filter = QStringLiteral("Excel files (*.xls)|*.xls");
    dialog.setAction(1);
    const QString fileName = dialog.FileName;
    if (fileName.isEmpty()) return;
    if (!exportRecords(state, fileName, createObject))
        boxes.show(exportDataErrorText, exportDataErrorTitle, MessageBoxes::Buttons::Ok);
}

} // namespace meter
