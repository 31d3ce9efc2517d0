#include "settings/SpecifierFile.h"

#include <utility>

#include "rt/Make.h"
#include "settings/DeviceDictionary.h"

namespace settings {

namespace {

constexpr std::pair<const char*, PSCellType> kCellNames[] = {
    {"PSGroupCell", PSCellType::Group},           {"PSLinkCell", PSCellType::Link},
    {"PSLinkListCell", PSCellType::LinkList},     {"PSListItemCell", PSCellType::ListItem},
    {"PSTitleValueCell", PSCellType::TitleValue}, {"PSSwitchCell", PSCellType::Switch},
    {"PSStaticTextCell", PSCellType::StaticText}, {"PSEditTextCell", PSCellType::EditText},
    {"PSButtonCell", PSCellType::Button},
};

rt::Ref<PSSpecifier> specifierFrom(const core::PlistDictionary& item, rt::Object* target) {
    const core::PlistValue* cell = item.find("cell");
    const std::string* cellName = cell ? cell->asString() : nullptr;
    const auto cellType = cellName ? SpecifierFile::cellTypeNamed(*cellName) : std::nullopt;
    if (!cellType) return {};
    const core::PlistValue* label = item.find("label");
    const std::string name = label && label->asString() ? *label->asString() : std::string();
    auto specifier = rt::make<PSSpecifier>(name, *cellType, item);
    specifier->setTarget(target);
    const std::string getter = specifier->stringProperty("get");
    const std::string setter = specifier->stringProperty("set");
    specifier->setAccessors(rt::sel(getter.empty() ? "readPreferenceValue:" : getter),
                            rt::sel(setter.empty() ? "setPreferenceValue:specifier:" : setter));
    specifier->setDetailControllerClassName(specifier->stringProperty("detail"));
    const std::string action = specifier->stringProperty("action");
    if (!action.empty()) specifier->setButtonAction(rt::sel(action));
    std::string identifier = specifier->stringProperty("id");
    if (identifier.empty()) identifier = specifier->stringProperty("key");
    specifier->setIdentifier(identifier.empty() ? name : identifier);
    return specifier;
}

}  // namespace

std::optional<PSCellType> SpecifierFile::cellTypeNamed(const std::string& name) {
    for (const auto& [cellName, type] : kCellNames)
        if (name == cellName) return type;
    return std::nullopt;
}

std::optional<SpecifierFile::Contents> SpecifierFile::load(const std::string& devicePath,
                                                           rt::Object* target) {
    const auto file = readDeviceDictionary(devicePath);
    const core::PlistValue* items = file ? file->find("items") : nullptr;
    if (!items || !items->asArray()) return std::nullopt;
    Contents contents;
    if (const core::PlistValue* title = file->find("title"); title && title->asString())
        contents.title = *title->asString();
    for (const core::PlistValue& item : *items->asArray()) {
        if (!item.asDictionary()) continue;
        if (auto specifier = specifierFrom(*item.asDictionary(), target))
            contents.specifiers.push_back(std::move(specifier));
    }
    return contents;
}

}  // namespace settings
