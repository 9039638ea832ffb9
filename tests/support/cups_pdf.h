// The cups-pdf print queue that .ci/cups-setup.sh makes the default printer,
// for the tests that print on a real queue and read back its PDF files.
#pragma once

#include <QByteArray>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QString>

namespace testsupport {

// The folder the queue writes its PDF files to.
inline QString cupsPdfFolder() {
    const QByteArray env = qgetenv("METER_PDF_DIR");
    return env.isEmpty() ? QStringLiteral("/var/spool/cups-pdf/meter") : QString::fromLocal8Bit(env);
}

// Why the queue cannot be used here; empty when it can.
inline QString cupsPdfUnavailable() {
    const QPrinterInfo def = QPrinterInfo::defaultPrinter();
    if (def.isNull() || !def.makeAndModel().contains("CUPS-PDF", Qt::CaseInsensitive))
        return QStringLiteral("no cups-pdf default printer (run .ci/cups-setup.sh as root to set one up)");
    if (!QFileInfo(cupsPdfFolder()).isDir())
        return QStringLiteral("cups-pdf output folder %1 missing").arg(cupsPdfFolder());
    return {};
}

} // namespace testsupport

// Skips the running test unless the queue can be used.
#define SKIP_UNLESS_CUPS_PDF()                                                                                         \
    do {                                                                                                               \
        const QString why = testsupport::cupsPdfUnavailable();                                                         \
        if (!why.isEmpty()) GTEST_SKIP() << why.toStdString();                                                         \
    } while (0)
