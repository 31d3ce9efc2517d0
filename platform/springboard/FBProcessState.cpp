#include "springboard/FBProcessState.h"

#include "device/ClassRegistration.h"
#include "rt/Fields.h"
#include "rt/MethodBinding.h"

namespace springboard {

namespace {

std::string taskStateText(long long taskState) {
    if (taskState == FBProcessState::kTaskStateNotRunning) return "not running";
    if (taskState == FBProcessState::kTaskStateRunning) return "running";
    return "task state " + std::to_string(taskState);
}

std::string visibilityText(long long visibility) {
    switch (visibility) {
        case FBProcessState::kVisibilityUnknown:
            return "not shown";
        case FBProcessState::kVisibilityBackground:
            return "background";
        case FBProcessState::kVisibilityForeground:
            return "foreground";
        case FBProcessState::kVisibilityForegroundObscured:
            return "foreground, obscured";
        default:
            return "visibility " + std::to_string(visibility);
    }
}

}  // namespace

std::string FBProcessState::describe(long long taskState, long long visibility) {
    return taskStateText(taskState) + ", " + visibilityText(visibility);
}

void FBProcessState::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<FBProcessState>(configuration);
    if (!cls) return;
    rt::declareField(cls, "_taskState", &FBProcessState::_taskState);
    rt::declareField(cls, "_visibility", &FBProcessState::_visibility);
    rt::addMethods(cls, {
                            rt::bind<&FBProcessState::taskState>("taskState"),
                            rt::bind<&FBProcessState::visibility>("visibility"),
                        });
}

}  // namespace springboard
