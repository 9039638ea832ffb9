#include "output/commands.h"

#include "output/csv_export.h"
#include "output/graph_print.h"
#include "output/samples_report.h"
#include "platform/common_dialog.h"
#include "platform/message_boxes.h"
#include "platform/regional_settings.h"

#include <QFile>

namespace meter {

namespace {

void resync(const std::function<void()>& resyncReceive) {
    if (resyncReceive) resyncReceive();
}

LocalDateTime now(const Clock& clock) { return clock ? clock() : systemClock(); }

std::string localPath(const QString& name) {
    const QByteArray bytes = QFile::encodeName(name);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void reportSaveError(MessageBoxes& boxes) { boxes.show(saveFileErrorText, programName, MessageBoxes::Buttons::Ok); }

} // namespace

void saveasCommand(const SharedState& state, CommonDialog& dialog, MessageBoxes& boxes, const Clock& clock,
                   const Regional& regional, const std::function<void()>& resyncReceive) {
    if (state.liveRecordCount <= 0) return;
    dialog.Filter = QStringLiteral("text files (*.txt)|*.txt");
    dialog.setAction(2);
    const QString name = dialog.FileName;
    if (name.isEmpty()) {
        resync(resyncReceive);
        return;
    }
    if (!saveSamplesReport(localPath(name), state, now(clock), regional)) reportSaveError(boxes);
    resync(resyncReceive);
}

void exportCommand(const SharedState& state, CommonDialog& dialog, MessageBoxes& boxes, const Regional& regional,
                   const std::function<void()>& resyncReceive) {
    if (state.liveRecordCount <= 0) return;
    dialog.DialogTitle = QStringLiteral("Save");
    dialog.CancelError = false;
    dialog.Filter = QStringLiteral("csv files (*.csv)|*.csv");
    dialog.ShowSave();
    const QString name = dialog.FileName;
    if (name.isEmpty()) {
        resync(resyncReceive);
        return;
    }
    if (!saveSampleCsv(localPath(name), state, regional)) reportSaveError(boxes);
    resync(resyncReceive);
}

void printCommand(PrintableGraph& graph, Printer& printer, MessageBoxes& boxes,
                  const std::function<void()>& resyncReceive) {
    printsub(graph, printer, boxes);
    resync(resyncReceive);
}

} // namespace meter
