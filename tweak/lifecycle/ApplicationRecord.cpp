#include "tweak/lifecycle/ApplicationRecord.h"

#include <cctype>

#include "foundation/Number.h"
#include "foundation/Property.h"
#include "rt/Associations.h"
#include "rt/Make.h"
#include "rt/Messaging.h"

namespace morvane {

namespace {

// Keys of the bookkeeping attached beside the record (no methods are added for them).
constexpr char kForegroundSessionKey = 0;
constexpr char kRestoreDueKey = 0;

const rt::Number* attachedNumber(rt::Object* app, const void* key) {
    return dynamic_cast<const rt::Number*>(rt::getAssociatedObject(app, key));
}

long long foregroundSession(rt::Object* app) {
    const rt::Number* session = attachedNumber(app, &kForegroundSessionKey);
    return session ? session->longLongValue() : 0;
}

bool restoreDue(rt::Object* app) {
    const rt::Number* due = attachedNumber(app, &kRestoreDueKey);
    return due && due->boolValue();
}

void sendSetter(rt::Object* app, const std::string& property, auto value) {
    rt::send<void>(app, rt::sel(ApplicationRecord::setterNameFor(property)), value);
}

}  // namespace

std::string ApplicationRecord::setterNameFor(const std::string& propertyName) {
    std::string setter = "set" + propertyName + ":";
    setter[3] = static_cast<char>(std::toupper(static_cast<unsigned char>(setter[3])));
    return setter;
}

void ApplicationRecord::resetRecord(rt::Object* app) {
    setVolumeBeforeOpening(app, kNoLevel);
    setBrightnessBeforeOpening(app, kNoLevel);
    for (const ToggleDefinition& toggle : ToggleCatalogue::toggles())
        setToggleBeforeOpening(app, toggle, kNoState);
}

double ApplicationRecord::volumeBeforeOpening(rt::Object* app) {
    return rt::send<double>(app, rt::sel(kVolumeBeforeOpening));
}

void ApplicationRecord::setVolumeBeforeOpening(rt::Object* app, double level) {
    sendSetter(app, kVolumeBeforeOpening, level);
}

double ApplicationRecord::brightnessBeforeOpening(rt::Object* app) {
    return rt::send<double>(app, rt::sel(kBrightnessBeforeOpening));
}

void ApplicationRecord::setBrightnessBeforeOpening(rt::Object* app, double level) {
    sendSetter(app, kBrightnessBeforeOpening, level);
}

long long ApplicationRecord::toggleBeforeOpening(rt::Object* app, const ToggleDefinition& toggle) {
    return rt::send<long long>(app, rt::sel(toggle.recordProperty));
}

void ApplicationRecord::setToggleBeforeOpening(rt::Object* app, const ToggleDefinition& toggle,
                                               long long state) {
    sendSetter(app, std::string(toggle.recordProperty), state);
}

bool ApplicationRecord::previousStateWasForegroundObscured(rt::Object* app) {
    return rt::send<bool>(app, rt::sel(kPreviousStateWasForegroundObscured));
}

void ApplicationRecord::setPreviousStateWasForegroundObscured(rt::Object* app, bool obscured) {
    sendSetter(app, kPreviousStateWasForegroundObscured, obscured);
}

long long ApplicationRecord::noteForegroundEntry(rt::Object* app) {
    const long long session = foregroundSession(app) + 1;
    rt::setAssociatedObject(app, &kForegroundSessionKey, rt::make<rt::Number>(session));
    rt::setAssociatedObject(app, &kRestoreDueKey, rt::make<rt::Number>(true));
    return session;
}

bool ApplicationRecord::takeRestoreDue(rt::Object* app) {
    if (!restoreDue(app)) return false;
    rt::setAssociatedObject(app, &kRestoreDueKey, rt::make<rt::Number>(false));
    return true;
}

bool ApplicationRecord::isInForegroundSession(rt::Object* app, long long session) {
    return foregroundSession(app) == session && restoreDue(app);
}

}  // namespace morvane
