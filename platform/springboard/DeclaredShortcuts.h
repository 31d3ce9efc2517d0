#pragma once

#include <map>
#include <string>
#include <vector>

namespace springboard {

// The shortcut items each installed app declares for its icon's menu (its own "quick
// actions"), in the order declared. Process-wide, main thread; forgotten with the phone.
class DeclaredShortcuts {
  public:
    struct Item {
        std::string type;
        std::string title;
    };

    static void declare(const std::string& bundleIdentifier, Item item);
    static std::vector<Item> of(const std::string& bundleIdentifier);
    static void clear();

  private:
    static std::map<std::string, std::vector<Item>>& table();
};

}  // namespace springboard
