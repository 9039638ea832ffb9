#include "platform/image_list.h"

namespace meter {

QPixmap ImageList::ListImages(int n) const {
    if (n < 1 || n > count()) return {};
    return images_.at(n - 1);
}

} // namespace meter
