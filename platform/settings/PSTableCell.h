#pragma once

#include "rt/Ref.h"
#include "settings/PSSpecifier.h"
#include "ui/Control.h"
#include "ui/Switch.h"
#include "ui/TableViewCell.h"
#include "ui/TextField.h"

namespace settings {

// The cell of a settings row ("PSTableCell"): the row's label, and its value as the row's
// target's getter answers it.
class PSTableCell : public ui::TableViewCell {
  public:
    static constexpr const char* kClassName = "PSTableCell";

    PSTableCell();
    explicit PSTableCell(PSSpecifier* specifier);

    rt::Ref<PSSpecifier> specifier() const { return _specifier; }
    // "refreshCellContentsWithSpecifier:": shows the row's label and its current value.
    virtual void refreshCellContentsWithSpecifier(PSSpecifier* specifier);
    // The row's value from its target's getter (null when there is none).
    rt::Ref<rt::Object> readValue() const;
    // Hands a new value to the row's target's setter.
    void storeValue(rt::Object* value);

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    rt::Ref<PSSpecifier> _specifier;
};

// A cell with a control ("PSControlTableCell"); for a switch row the control is a switch
// whose changes are stored through the row's setter.
class PSControlTableCell : public PSTableCell {
  public:
    static constexpr const char* kClassName = "PSControlTableCell";

    PSControlTableCell();
    explicit PSControlTableCell(PSSpecifier* specifier);

    const rt::Ref<ui::Control>& control() const { return _control; }
    void refreshCellContentsWithSpecifier(PSSpecifier* specifier) override;
    // "controlChanged:": the switch was flipped.
    void controlChanged(rt::Object* sender);

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    rt::Ref<ui::Control> _control;
};

// A cell with a text field ("PSEditableTableCell"); ending an edit stores the text.
class PSEditableTableCell : public PSTableCell {
  public:
    static constexpr const char* kClassName = "PSEditableTableCell";

    PSEditableTableCell();
    explicit PSEditableTableCell(PSSpecifier* specifier);

    const rt::Ref<ui::TextField>& textField() const { return _textField; }
    void refreshCellContentsWithSpecifier(PSSpecifier* specifier) override;
    // The user typed `text` and ended the edit.
    void endEditingWithText(std::string text);

  private:
    rt::Ref<ui::TextField> _textField;
};

}  // namespace settings
