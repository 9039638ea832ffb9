// The program's icon, drawn at 16 x 16 and 32 x 32.
#pragma once

#include <QIcon>

namespace meter {
QIcon appIcon();
}
