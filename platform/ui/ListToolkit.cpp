#include "ui/ListToolkit.h"

#include "device/ClassRegistration.h"
#include "rt/Runtime.h"
#include "ui/BarButtonItem.h"
#include "ui/Control.h"
#include "ui/IndexPath.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationItem.h"
#include "ui/ScrollView.h"
#include "ui/Switch.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"
#include "ui/TextField.h"

namespace ui {

namespace {

template <class T, class Super = rt::Object>
void registerListClass(const device::DeviceConfiguration& configuration,
                       void (*installMethods)(rt::Class*) = nullptr) {
    if (!rt::lookUpClass(Super::kClassName)) return;
    rt::Class* cls = device::registerUnlessLeftOut<T, Super>(configuration);
    if (cls && installMethods) installMethods(cls);
}

}  // namespace

void registerListClasses(const device::DeviceConfiguration& configuration) {
    registerListClass<IndexPath>(configuration);
    registerListClass<Switch, Control>(configuration, &Switch::registerRuntimeMethods);
    registerListClass<TextField, Control>(configuration);
    registerListClass<ScrollView, View>(configuration, &ScrollView::registerRuntimeMethods);
    registerListClass<TableView, ScrollView>(configuration, &TableView::registerRuntimeMethods);
    registerListClass<TableViewCell, View>(configuration, &TableViewCell::registerRuntimeMethods);
    registerListClass<BarButtonItem>(configuration, &BarButtonItem::registerRuntimeMethods);
    registerListClass<NavigationItem>(configuration, &NavigationItem::registerRuntimeMethods);
    registerListClass<NavigationBar, View>(configuration, &NavigationBar::registerRuntimeMethods);
}

}  // namespace ui
