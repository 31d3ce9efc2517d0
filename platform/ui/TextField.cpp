#include "ui/TextField.h"

namespace ui {

void TextField::setText(std::string text) {
    _text = std::move(text);
}

}  // namespace ui
