// The log of the platform layer, category "meter.platform": a failure is
// written as a warning with its cause (the call that failed, its path, the
// system's error text), and informational messages are on as well; the debug
// messages (the ways round a failure that still ended well) only when asked
// for, e.g. QT_LOGGING_RULES="meter.*.debug=true".
#pragma once

#include <QLoggingCategory>

namespace meter {

Q_DECLARE_LOGGING_CATEGORY(platformLog)

} // namespace meter
