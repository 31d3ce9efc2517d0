#include "prefs/PaneClasses.h"

#include "prefs/MVAppValuesAppController.h"
#include "prefs/MVAppValuesListController.h"
#include "prefs/MVPrefsListController.h"
#include "prefs/MVSubPrefsListController.h"
#include "rt/Make.h"
#include "rt/Runtime.h"

namespace morvane::prefs {

void registerPaneClasses() {
    if (!rt::lookUpClass(settings::HBRootListController::kClassName)) return;
    if (!rt::lookUpClass(MVPrefsListController::kClassName)) {
        MVPrefsListController::registerRuntimeMethods(
            rt::registerClass<MVPrefsListController, settings::HBRootListController>());
    }
    if (!rt::lookUpClass(MVSubPrefsListController::kClassName)) {
        MVSubPrefsListController::registerRuntimeMethods(
            rt::registerClass<MVSubPrefsListController, settings::HBRootListController>());
    }
    if (!rt::lookUpClass(MVAppValuesListController::kClassName)) {
        MVAppValuesListController::registerRuntimeMethods(
            rt::registerClass<MVAppValuesListController, settings::HBRootListController>());
    }
    if (!rt::lookUpClass(MVAppValuesAppController::kClassName)) {
        MVAppValuesAppController::registerRuntimeMethods(
            rt::registerClass<MVAppValuesAppController, settings::HBRootListController>());
    }
}

}  // namespace morvane::prefs
