// The workbook export: the records of the data file read last, written into a
// new workbook of a spreadsheet application under a name picked in the Open
// dialog.
#pragma once

#include "core/shared_state.h"
#include "platform/spreadsheet.h"

#include <QString>

namespace meter {

class CommonDialog;
class MessageBoxes;

inline const QString exportDataErrorText = QStringLiteral("Export data error!");
inline const QString exportDataErrorTitle = QStringLiteral("Valdor  K17");

// What the tool strip's exportToExcel does once the mouse capture is released
// and the export button shows its normal picture. With no file record it does
// nothing. Otherwise the Open dialog for "Excel files (*.xls)|*.xls" picks the
// name; an empty name ends it. Then an "Excel.Application" object is created,
// a workbook added, its sheet "Sheet1" taken and the application made
// invisible; the sheet gets the header row "NO.", "TIME", "DATA", "dBA\dBC"
// and one row per record (number, time text, value, unit text), is saved under
// the name exactly as given, and the application quits. A failed step skips
// all later ones and shows "Export data error!" (title "Valdor  K17"); the
// references to the application, the workbook and the sheet are released
// either way. Reception is not resynchronised.
void exportToExcelCommand(const SharedState& state, CommonDialog& dialog, MessageBoxes& boxes,
                          const ApplicationFactory& createObject = automationObjects());

} // namespace meter
