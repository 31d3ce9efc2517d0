#include "ui/IndexPath.h"

#include "rt/Make.h"

namespace ui {

rt::Ref<IndexPath> IndexPath::indexPathForRow(long row, long section) {
    return rt::make<IndexPath>(section, row);
}

}  // namespace ui
