#include "rt/Runtime.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "rt/NoDestroy.h"
#include "rt/World.h"

namespace rt {

namespace {

// Every world ever booted; the last is current. Retired worlds are kept so that classes
// referenced by surviving objects stay valid.
class WorldList {
  public:
    WorldList() { boot(); }

    World& current() const { return *_current.load(std::memory_order_acquire); }

    void boot() {
        std::lock_guard lock(_mutex);
        auto world = std::make_unique<World>(_worlds.size() + 1);
        for (Runtime::BaseClassRegistrar registrar : _registrars) registrar(*world);
        World* fresh = _worlds.emplace_back(std::move(world)).get();
        _current.store(fresh, std::memory_order_release);
    }

    void addBaseClasses(Runtime::BaseClassRegistrar registrar) {
        std::lock_guard lock(_mutex);
        _registrars.push_back(registrar);
        registrar(current());
    }

  private:
    std::mutex _mutex;
    std::vector<Runtime::BaseClassRegistrar> _registrars;
    std::vector<std::unique_ptr<World>> _worlds;
    std::atomic<World*> _current{nullptr};
};

WorldList& worlds() {
    static NoDestroy<WorldList> list;
    return list.get();
}

}  // namespace

Class* Runtime::registerClass(std::string_view name, Class* superclass, Class::Allocator allocator,
                              const std::type_info* instanceType) {
    return world().registerClass(name, superclass, std::move(allocator), instanceType);
}

Class* Runtime::lookUpClass(std::string_view name) {
    return world().lookUpClass(name);
}

Class* Runtime::requireClass(std::string_view name, const std::type_info& instanceType) {
    Class* cls = lookUpClass(name);
    if (!cls) {
        throw std::logic_error("rt: no runtime class named " + std::string(name) +
                               " is registered");
    }
    if (cls->instanceType() && *cls->instanceType() != instanceType) {
        throw std::logic_error("rt: class " + std::string(name) + " is registered for " +
                               Signature::readableTypeName(*cls->instanceType()) + ", not " +
                               Signature::readableTypeName(instanceType));
    }
    return cls;
}

void Runtime::addBaseClasses(BaseClassRegistrar registrar) {
    worlds().addBaseClasses(registrar);
}

void Runtime::reset() {
    worlds().boot();
}

World& Runtime::world() {
    return worlds().current();
}

std::uint64_t Runtime::generation() {
    return world().generation();
}

}  // namespace rt
