#include "ui/TableViewCell.h"

#include "rt/Make.h"
#include "rt/MethodBinding.h"

namespace ui {

namespace {
constexpr double kMargin = 16;
constexpr double kIconSize = 29;
constexpr double kIconGap = 14;
}

TableViewCell::TableViewCell() : TableViewCell(TableViewCellStyle::Default, "") {}

TableViewCell::TableViewCell(TableViewCellStyle style, std::string reuseIdentifier)
    : View(Rect(0, 0, 320, kDefaultHeight)),
      _style(style),
      _reuseIdentifier(std::move(reuseIdentifier)),
      _contentView(rt::make<View>()),
      _textLabel(rt::make<Label>()),
      _detailTextLabel(rt::make<Label>()) {
    addSubview(_contentView.get());
    _contentView->addSubview(_textLabel.get());
    _contentView->addSubview(_detailTextLabel.get());
    layoutContent();
}

void TableViewCell::setAccessoryView(rt::Ref<View> view) {
    if (_accessoryView) _accessoryView->removeFromSuperview();
    _accessoryView = std::move(view);
    if (_accessoryView) addSubview(_accessoryView.get());
    layoutContent();
}

rt::Ref<ImageView> TableViewCell::imageView() {
    if (!_imageView) {
        _imageView = rt::make<ImageView>(Rect(0, 0, kIconSize, kIconSize));
        _contentView->addSubview(_imageView.get());
        layoutContent();
    }
    return _imageView;
}

void TableViewCell::layoutContent() {
    const double width = bounds().width();
    const double height = bounds().height();
    double contentWidth = width;
    if (_accessoryView) {
        const Rect accessory = _accessoryView->frame();
        const double x = width - kMargin - accessory.width();
        _accessoryView->setFrame(
            Rect(x, (height - accessory.height()) / 2, accessory.width(), accessory.height()));
        contentWidth = x;
    }
    _contentView->setFrame(Rect(0, 0, contentWidth, height));
    double labelStart = kMargin;
    if (_imageView) {
        _imageView->setFrame(Rect(kMargin, (height - kIconSize) / 2, kIconSize, kIconSize));
        labelStart = kMargin + kIconSize + kIconGap;
    }
    const double labelWidth = std::max(0.0, contentWidth - labelStart - kMargin);
    _textLabel->setFrame(Rect(labelStart, 0, labelWidth, height));
    _detailTextLabel->setFrame(Rect(labelStart, 0, labelWidth, height));
    _detailTextLabel->setTextAlignment(TextAlignment::Right);
}

void TableViewCell::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&TableViewCell::textLabel>("textLabel"),
                            rt::bind<&TableViewCell::detailTextLabel>("detailTextLabel"),
                            rt::bind<&TableViewCell::contentView>("contentView"),
                            rt::bind<&TableViewCell::accessoryView>("accessoryView"),
                        });
}

}  // namespace ui
