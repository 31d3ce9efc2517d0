#pragma once

#include <string>

#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/View.h"

namespace ui {

// "UITableViewCellStyle" values.
enum class TableViewCellStyle : long { Default = 0, Value1 = 1, Value2 = 2, Subtitle = 3 };

// "UITableViewCellAccessoryType" values: the standard mark drawn at the trailing edge when the
// cell has no accessory view.
enum class TableViewCellAccessoryType : long {
    None = 0,
    DisclosureIndicator = 1,
    DetailDisclosureButton = 2,
    Checkmark = 3,
    DetailButton = 4
};

// One row of a table ("UITableViewCell"): a content view holding a text label and a detail
// label, an optional image view at the leading edge (an icon, 29 points square) and an
// optional accessory view at the trailing edge. 44 points high by default.
class TableViewCell : public View {
  public:
    static constexpr const char* kClassName = "UITableViewCell";
    static constexpr double kDefaultHeight = 44;

    TableViewCell();
    // "initWithStyle:reuseIdentifier:".
    TableViewCell(TableViewCellStyle style, std::string reuseIdentifier);

    TableViewCellStyle style() const { return _style; }
    const std::string& reuseIdentifier() const { return _reuseIdentifier; }
    const rt::Ref<View>& contentView() const { return _contentView; }
    const rt::Ref<Label>& textLabel() const { return _textLabel; }
    const rt::Ref<Label>& detailTextLabel() const { return _detailTextLabel; }
    const rt::Ref<View>& accessoryView() const { return _accessoryView; }
    // "imageView": made on first use; the labels then start after it.
    rt::Ref<ImageView> imageView();
    bool hasImageView() const { return static_cast<bool>(_imageView); }
    // Replaces the accessory view (null removes it).
    void setAccessoryView(rt::Ref<View> view);
    TableViewCellAccessoryType accessoryType() const { return _accessoryType; }
    void setAccessoryType(TableViewCellAccessoryType type) { _accessoryType = type; }

    // Places the labels and the accessory view in the cell's bounds.
    void layoutContent();

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    TableViewCellStyle _style = TableViewCellStyle::Default;
    std::string _reuseIdentifier;
    rt::Ref<View> _contentView;
    rt::Ref<Label> _textLabel;
    rt::Ref<Label> _detailTextLabel;
    rt::Ref<View> _accessoryView;
    rt::Ref<ImageView> _imageView;
    TableViewCellAccessoryType _accessoryType = TableViewCellAccessoryType::None;
};

}  // namespace ui
