#include "springboard/MenuAppearance.h"

#include <array>

#include "foundation/Number.h"
#include "rt/Associations.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "rt/Runtime.h"
#include "springboard/SBUIActionView.h"
#include "springboard/SBUILegibilityLabel.h"
#include "ui/Color.h"
#include "ui/Filter.h"
#include "ui/Label.h"
#include "ui/Layer.h"

namespace springboard {

namespace {

// The appearance menus are made with (process-wide, main thread).
MenuAppearance::Kind gAppearance = MenuAppearance::Kind::Stock;

constexpr std::array<std::pair<MenuAppearance::Kind, const char*>, 4> kNames = {{
    {MenuAppearance::Kind::Stock, "stock"},
    {MenuAppearance::Kind::Dune, "dune"},
    {MenuAppearance::Kind::Noctis, "noctis"},
    {MenuAppearance::Kind::Carbon, "carbon"},
}};

const void* darkModeKey() {
    static const char key = 0;
    return &key;
}

// What the noctis add-on puts on every layer: a method of a class it does not own, so it
// takes its receiver in the runtime's form.
bool isDarkModeEnabled(rt::Object* self, rt::Selector) {
    const auto* flag =
        dynamic_cast<const rt::Number*>(rt::getAssociatedObject(self, darkModeKey()));
    return flag && flag->boolValue();
}

void setFilters(ui::View* view, const char* filterName) {
    if (!view) return;
    std::vector<rt::Ref<rt::Object>> filters;
    if (filterName) filters.emplace_back(ui::Filter::filterWithName(filterName));
    view->layer()->setFilters(std::move(filters));
}

}  // namespace

MenuAppearance::Kind MenuAppearance::current() {
    return gAppearance;
}

void MenuAppearance::set(Kind kind) {
    gAppearance = kind;
    registerRuntimeMethods();
}

std::optional<MenuAppearance::Kind> MenuAppearance::named(std::string_view name) {
    for (const auto& [kind, kindName] : kNames) {
        if (name == kindName) return kind;
    }
    return std::nullopt;
}

const char* MenuAppearance::name(Kind kind) {
    for (const auto& [known, kindName] : kNames) {
        if (known == kind) return kindName;
    }
    return "stock";
}

void MenuAppearance::apply(SBUIActionView& row) {
    const Kind kind = current();
    const char* labelFilter = kind == Kind::Dune ? nullptr : kVibrancyFilterName;
    ui::View* textLabel = row.titleLabel() ? row.titleLabel()->label().get() : nullptr;
    setFilters(textLabel, labelFilter);
    setFilters(row.subtitleLabel().get(), labelFilter);
    setFilters(row.legibilityTreatedTitleLabel().get(), labelFilter);
    setFilters(row.legibilityTreatedSubtitleLabel().get(), labelFilter);
    if (kind == Kind::Carbon) setFilters(&row, "colorInvert");
    // Titles and glyphs in the label colour (white on a dark-mode add-on's dark platter,
    // black otherwise), subtitles in the secondary grey.
    const bool dark = kind != Kind::Stock;
    const auto ink = [dark] { return dark ? ui::Color::whiteColor() : ui::Color::blackColor(); };
    for (ui::View* label :
         {textLabel, static_cast<ui::View*>(row.legibilityTreatedTitleLabel().get())}) {
        if (auto* text = dynamic_cast<ui::Label*>(label))
            text->setTextColor(ink());
    }
    for (ui::View* label : {static_cast<ui::View*>(row.subtitleLabel().get()),
                            static_cast<ui::View*>(row.legibilityTreatedSubtitleLabel().get())}) {
        if (auto* text = dynamic_cast<ui::Label*>(label))
            text->setTextColor(ui::Color::colorWithWhite(dark ? 0.62 : 0.45, 1));
    }
    if (row.imageView()) row.imageView()->setTintColor(ink());
    if (kind == Kind::Noctis && textLabel)
        rt::setAssociatedObject(textLabel->layer(), darkModeKey(), rt::make<rt::Number>(true));
}

void MenuAppearance::registerRuntimeMethods() {
    if (current() != Kind::Noctis) return;
    if (rt::Class* layerClass = rt::lookUpClass(ui::Layer::kClassName))
        rt::addMethods(layerClass, {rt::bind<&isDarkModeEnabled>("isDarkModeEnabled")});
}

}  // namespace springboard
