#pragma once

#include "rt/Object.h"
#include "rt/Ref.h"
#include "shared/MorvaneIdentifiers.h"
#include "ui/Label.h"

namespace morvane::prefs {

// What both pages do alike: the appearance settings installed by their init, and the colours
// of the bar that shows them (the navigation controller containing the page's own).
void installPageAppearance(rt::Object* page);
void colorContainingNavigationBar(rt::Object* page);
// A new empty title view on the page's navigation item holding a title label (bold 17 pt,
// white, centred) pinned to its four edges; answers the label.
rt::Ref<ui::Label> installTitleLabel(rt::Object* page);
// The key every page's rows post after a change, and the domain they live in.
constexpr const char* kDomain = identifiers::kSettingsDomain;

}  // namespace morvane::prefs
