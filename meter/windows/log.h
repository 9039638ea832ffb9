// The log of the windows layer, category "meter.windows"; its levels are those of
// the platform layer's log (platform/log.h).
#pragma once

#include <QLoggingCategory>

namespace meter {

Q_DECLARE_LOGGING_CATEGORY(windowsLog)

} // namespace meter
