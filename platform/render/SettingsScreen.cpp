#include "render/SettingsScreen.h"

#include "render/AlertPainter.h"
#include "render/NavigationBarPainter.h"
#include "render/ScreenModel.h"
#include "render/SettingsTablePainter.h"
#include "render/StatusBarPainter.h"
#include "render/SwitchPainter.h"
#include "render/TextPainter.h"
#include "ui/NavigationBar.h"

namespace render {

namespace {

// The first navigation bar shown in the tree: the one the status bar stands over.
const ui::NavigationBar* visibleBar(ui::View* view) {
    if (!view || view->isHidden()) return nullptr;
    if (auto* bar = rt::cast<ui::NavigationBar>(view)) return bar;
    for (const rt::Ref<ui::View>& subview : view->subviews())
        if (const ui::NavigationBar* bar = visibleBar(subview.get())) return bar;
    return nullptr;
}

}  // namespace

ViewRenderer SettingsScreen::renderer() {
    ViewRenderer renderer;
    renderer.addContentPainter(&SwitchPainter::draw);
    renderer.addContentPainter(&NavigationBarPainter::draw);
    renderer.addContentPainter(&SettingsTablePainter::drawTable);
    renderer.addContentPainter(&SettingsTablePainter::drawCell);
    return renderer;
}

Picture SettingsScreen::picture(ui::View* root, const ui::AlertController* alert) {
    Picture picture(ScreenModel::kWidth, ScreenModel::kHeight, ScreenModel::kScale);
    CairoContext context = picture.context();
    cairo_t* cr = context.get();
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    if (root) renderer().draw(cr, *root);
    TextStyle clock;
    clock.pointSize = 12;
    clock.bold = true;
    clock.alignment = TextStyle::Alignment::Center;
    if (const ui::NavigationBar* bar = visibleBar(root); bar && bar->titleColor())
        clock.color = bar->titleColor()->components();
    TextPainter::draw(cr, StatusBarPainter::clockText(0),
                      ui::Rect(0, 0, ScreenModel::kWidth, ScreenModel::kStatusBarHeight), clock);
    if (alert)
        AlertPainter::draw(cr, *alert, ui::Rect(0, 0, ScreenModel::kWidth, ScreenModel::kHeight));
    return picture;
}

}  // namespace render
