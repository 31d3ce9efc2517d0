#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace springboard {

class SBUIActionView;

// How the home screen draws its menus. The stock look gives the text labels a vibrancy
// filter on their layers; the three known dark-mode add-ons change that:
//   dune   — the text labels have no layer filters;
//   noctis — the labels keep their filter, and the text label's layer answers
//            isDarkModeEnabled with YES;
//   carbon — the labels keep their filter, and the row's layer's first filter is
//            "colorInvert".
// The appearance applies to rows made from the moment it is set. Main thread.
class MenuAppearance {
  public:
    enum class Kind { Stock, Dune, Noctis, Carbon };

    static constexpr const char* kVibrancyFilterName = "vibrantColorMatrix";

    static Kind current();
    static void set(Kind kind);
    static std::optional<Kind> named(std::string_view name);
    static const char* name(Kind kind);

    // Gives a freshly made row the current appearance.
    static void apply(SBUIActionView& row);
    // Installs the layer method the noctis add-on brings ("isDarkModeEnabled"), answering
    // what apply() recorded for each layer.
    static void registerRuntimeMethods();
};

}  // namespace springboard
