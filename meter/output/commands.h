// The tool strip's output commands: SAVE AS (samples report), EXPORT (CSV),
// PRINT (graph window). Each takes what it works on as arguments and ends by
// handing reception back to the synchronisation (resyncReceive).
#pragma once

#include "core/regional.h"
#include "core/shared_state.h"

#include <QString>

#include <functional>

namespace meter {

class CommonDialog;
class MessageBoxes;
class PrintableGraph;
class Printer;

inline const QString saveFileErrorText = QStringLiteral("Save file error!");

// SAVE AS. With no record it does nothing at all. Otherwise: the Save As
// dialog for "text files (*.txt)|*.txt"; no name: resync. Else the report is
// written; if the file cannot be written "Save file error!" (title "meter") is
// shown and any file of that name stays as it was; then resync.
void saveasCommand(const SharedState& state, CommonDialog& dialog, MessageBoxes& boxes, const Clock& clock,
                   const Regional& regional, const std::function<void()>& resyncReceive);

// EXPORT. With no record it does nothing. Otherwise: the dialog titled "Save"
// for "csv files (*.csv)|*.csv"; no name: resync. Else the CSV file is written,
// with the same error path as SAVE AS; then resync.
void exportCommand(const SharedState& state, CommonDialog& dialog, MessageBoxes& boxes, const Regional& regional,
                   const std::function<void()>& resyncReceive);

// PRINT: prints the graph window (printsub), then resync, after success and
// failure alike.
void printCommand(PrintableGraph& graph, Printer& printer, MessageBoxes& boxes,
                  const std::function<void()>& resyncReceive);

} // namespace meter
