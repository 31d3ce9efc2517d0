#pragma once

#include <optional>
#include <string>

#include "core/plist/PlistDictionary.h"
#include "rt/Object.h"
#include "rt/Ref.h"
#include "rt/Selector.h"
#include "rt/Weak.h"
#include "ui/Color.h"
#include "ui/Image.h"

namespace settings {

// The kinds of row ("PSCellType"), with the device's values.
enum class PSCellType : long {
    Group = 0,
    Link = 1,
    LinkList = 2,
    ListItem = 3,
    TitleValue = 4,
    Switch = 6,
    StaticText = 7,
    EditText = 8,
    Button = 13,
};

// One row, or the start of a group, of a settings page ("PSSpecifier"): its label (name),
// its properties as read from the specifier file ("key", "default", "defaults",
// "PostNotification", ...), its kind, the object whose getter and setter read and store its
// value, and for a link the class of the page it opens.
class PSSpecifier : public rt::Object {
  public:
    static constexpr const char* kClassName = "PSSpecifier";

    PSSpecifier() = default;
    PSSpecifier(std::string name, PSCellType cellType, core::PlistDictionary properties);

    const std::string& name() const { return _name; }
    void setName(std::string name) { _name = std::move(name); }
    PSCellType cellType() const { return _cellType; }
    const std::string& identifier() const { return _identifier; }
    void setIdentifier(std::string identifier) { _identifier = std::move(identifier); }

    const core::PlistDictionary& properties() const { return _properties; }
    // The property's value, or none.
    std::optional<core::PlistValue> property(std::string_view key) const;
    // The property as text; empty when missing or not a string.
    std::string stringProperty(std::string_view key) const;
    void setProperty(std::string key, core::PlistValue value);
    void removeProperty(std::string_view key);

    // The runtime face: "propertyForKey:" answers the value boxed (null when missing);
    // "setProperty:forKey:" stores the value of an object (null removes).
    rt::Ref<rt::Object> propertyForKey(const std::string& key) const;
    void setPropertyForKey(rt::Object* value, const std::string& key);
    rt::Ref<rt::Object> boxedProperties() const;

    rt::Ref<rt::Object> target() const { return _target.lock(); }
    void setTarget(rt::Object* target) { _target = rt::Weak<rt::Object>(target); }
    rt::Selector getter() const { return _getter; }
    rt::Selector setter() const { return _setter; }
    void setAccessors(rt::Selector getter, rt::Selector setter) {
        _getter = getter;
        _setter = setter;
    }
    // A link's page class, by name; empty for other rows.
    const std::string& detailControllerClassName() const { return _detailControllerClassName; }
    void setDetailControllerClassName(std::string name) {
        _detailControllerClassName = std::move(name);
    }
    // A button's action, sent to the target with the specifier.
    rt::Selector buttonAction() const { return _buttonAction; }
    void setButtonAction(rt::Selector action) { _buttonAction = action; }

    // What this row shows of a stored value, or none when it reads as absent (the row then
    // shows its default). A switch reads the value as the home screen reads a setting
    // (booleans, numbers, and text starting with y/t/1-9 as on), so the pane never shows a
    // switch the home screen does not act on; an editable text row shows strings and numbers;
    // other rows show anything.
    std::optional<core::PlistValue> shownValue(const core::PlistValue& stored) const;

    // The row's icon: an image, or a plain tile of a colour ("iconImage").
    const rt::Ref<ui::Image>& iconImage() const { return _iconImage; }
    void setIconImage(rt::Ref<ui::Image> image) { _iconImage = std::move(image); }
    const rt::Ref<ui::Color>& iconColor() const { return _iconColor; }
    void setIconColor(rt::Ref<ui::Color> color) { _iconColor = std::move(color); }

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    std::string _name;
    PSCellType _cellType = PSCellType::Group;
    std::string _identifier;
    core::PlistDictionary _properties;
    rt::Weak<rt::Object> _target;
    rt::Selector _getter;
    rt::Selector _setter;
    std::string _detailControllerClassName;
    rt::Selector _buttonAction;
    rt::Ref<ui::Image> _iconImage;
    rt::Ref<ui::Color> _iconColor;
};

}  // namespace settings
