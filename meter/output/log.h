// The log of the output layer, category "meter.output"; its levels are those of
// the platform layer's log (platform/log.h).
#pragma once

#include <QLoggingCategory>

namespace meter {

Q_DECLARE_LOGGING_CATEGORY(outputLog)

} // namespace meter
