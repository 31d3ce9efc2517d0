#include "foundation/NSTask.h"

#include "core/process/ProgramLauncher.h"
#include "rt/MethodBinding.h"

namespace settings {

bool NSTask::launch() {
    _lastError.clear();
    const auto pid = core::ProgramLauncher::launch(_launchPath, _arguments, _lastError);
    _pid = pid ? static_cast<int>(*pid) : 0;
    return pid.has_value();
}

namespace {
void launchImp(rt::Object* self, rt::Selector) {
    static_cast<NSTask*>(self)->launch();
}
}  // namespace

void NSTask::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&NSTask::setLaunchPath>("setLaunchPath:"),
                            rt::bind<&NSTask::launchPath>("launchPath"),
                            rt::bind<&launchImp>("launch"),
                        });
}

}  // namespace settings
