#pragma once

#include "rt/Object.h"
#include "rt/Ref.h"

namespace ui {

// A row of a table's section ("NSIndexPath" with section and row).
class IndexPath : public rt::Object {
  public:
    static constexpr const char* kClassName = "NSIndexPath";

    IndexPath(long section, long row) : _section(section), _row(row) {}

    // "indexPathForRow:inSection:".
    static rt::Ref<IndexPath> indexPathForRow(long row, long section);

    long section() const { return _section; }
    long row() const { return _row; }

  private:
    long _section;
    long _row;
};

}  // namespace ui
