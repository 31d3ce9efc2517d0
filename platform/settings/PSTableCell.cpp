#include "settings/PSTableCell.h"

#include "foundation/BoxedString.h"
#include "foundation/BoxedValue.h"
#include "foundation/Number.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "ui/ControlEvents.h"

namespace settings {

namespace {
constexpr double kIconCornerRadius = 6.5;

// A row that opens a page shows the disclosure chevron.
ui::TableViewCellAccessoryType accessoryTypeFor(const PSSpecifier* specifier) {
    const bool opensPage = specifier && (specifier->cellType() == PSCellType::Link ||
                                         specifier->cellType() == PSCellType::LinkList);
    return opensPage ? ui::TableViewCellAccessoryType::DisclosureIndicator
                     : ui::TableViewCellAccessoryType::None;
}

}  // namespace

PSTableCell::PSTableCell() = default;

PSTableCell::PSTableCell(PSSpecifier* specifier)
    : ui::TableViewCell(ui::TableViewCellStyle::Value1, "PSTableCell"), _specifier(specifier) {
    setAccessoryType(accessoryTypeFor(specifier));
}

void PSTableCell::refreshCellContentsWithSpecifier(PSSpecifier* specifier) {
    _specifier = rt::Ref<PSSpecifier>(specifier);
    setAccessoryType(accessoryTypeFor(specifier));
    textLabel()->setText(specifier ? specifier->name() : std::string());
    if (specifier && (specifier->iconImage() || specifier->iconColor())) {
        const auto icon = imageView();
        icon->setImage(specifier->iconImage());
        icon->setBackgroundColor(specifier->iconImage() ? rt::Ref<ui::Color>()
                                                        : specifier->iconColor());
        icon->layer()->setCornerRadius(kIconCornerRadius);
        icon->setClipsToBounds(true);
    }
    // A row may say what it holds in a line of its own ("subtitle").
    if (const std::string subtitle = specifier ? specifier->stringProperty("subtitle") : "";
        !subtitle.empty())
        detailTextLabel()->setText(subtitle);
    if (specifier && specifier->cellType() == PSCellType::TitleValue) {
        const auto value = unboxValue(readValue().get());
        detailTextLabel()->setText(value && value->asString() ? *value->asString() : "");
    }
}

rt::Ref<rt::Object> PSTableCell::readValue() const {
    if (!_specifier || _specifier->getter().isNull()) return {};
    const auto target = _specifier->target();
    if (!target || !rt::respondsToSelector(target, _specifier->getter())) return {};
    return rt::send<rt::Ref<rt::Object>>(target, _specifier->getter(), _specifier);
}

void PSTableCell::storeValue(rt::Object* value) {
    if (!_specifier || _specifier->setter().isNull()) return;
    const auto target = _specifier->target();
    if (!target || !rt::respondsToSelector(target, _specifier->setter())) return;
    rt::send<void>(target, _specifier->setter(), value, _specifier);
}

void PSTableCell::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&PSTableCell::specifier>("specifier"),
                            rt::bind<&PSTableCell::refreshCellContentsWithSpecifier>(
                                "refreshCellContentsWithSpecifier:"),
                        });
}

PSControlTableCell::PSControlTableCell() = default;

PSControlTableCell::PSControlTableCell(PSSpecifier* specifier) : PSTableCell(specifier) {
    auto control = rt::make<ui::Switch>();
    control->addTarget(this, rt::sel("controlChanged:"), ui::ControlEvents::kValueChanged);
    _control = control;
    setAccessoryView(control);
}

void PSControlTableCell::refreshCellContentsWithSpecifier(PSSpecifier* specifier) {
    PSTableCell::refreshCellContentsWithSpecifier(specifier);
    auto* control = dynamic_cast<ui::Switch*>(_control.get());
    if (!control) return;
    const auto value = unboxValue(readValue().get());
    const auto number = value ? value->asNumber() : std::nullopt;
    const auto flag = value ? value->asBool() : std::nullopt;
    control->setOn(flag ? *flag : (number && *number != 0));
}

void PSControlTableCell::controlChanged(rt::Object*) {
    auto* control = dynamic_cast<ui::Switch*>(_control.get());
    if (!control) return;
    storeValue(rt::make<rt::Number>(control->isOn()).get());
}

void PSControlTableCell::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&PSControlTableCell::control>("control"),
                            rt::bind<&PSControlTableCell::controlChanged>("controlChanged:"),
                        });
}

PSEditableTableCell::PSEditableTableCell() = default;

PSEditableTableCell::PSEditableTableCell(PSSpecifier* specifier)
    : PSTableCell(specifier), _textField(rt::make<ui::TextField>(ui::Rect(0, 0, 160, 30))) {
    setAccessoryView(_textField);
}

void PSEditableTableCell::refreshCellContentsWithSpecifier(PSSpecifier* specifier) {
    PSTableCell::refreshCellContentsWithSpecifier(specifier);
    const auto value = unboxValue(readValue().get());
    if (!value) {
        _textField->setText("");
    } else if (const std::string* text = value->asString()) {
        _textField->setText(*text);
    } else if (const auto number = value->asNumber()) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%g", *number);
        _textField->setText(buffer);
    }
}

void PSEditableTableCell::endEditingWithText(std::string text) {
    _textField->setText(text);
    storeValue(rt::make<ui::BoxedString>(std::move(text)).get());
}

}  // namespace settings
