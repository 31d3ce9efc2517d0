#pragma once

#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

namespace device {

// The latest records of a kind, oldest first: at least the latest `Capacity` are kept, so a
// phone that runs for days does not grow with every record. When full, the older half is
// dropped at once (dropped() counts them), so keeping costs no more than a vector's append.
template <typename Record, std::size_t Capacity>
class LatestRecords {
    static_assert(Capacity >= 2, "half of the records must be left after a drop");

  public:
    void record(Record entry) {
        if (_records.size() >= Capacity) {
            constexpr std::size_t older = Capacity / 2;
            _records.erase(_records.begin(), std::next(_records.begin(), older));
            _dropped += older;
        }
        _records.push_back(std::move(entry));
    }

    const std::vector<Record>& records() const { return _records; }
    std::size_t size() const { return _records.size(); }
    bool empty() const { return _records.empty(); }
    // Records dropped so far to stay within Capacity.
    std::size_t dropped() const { return _dropped; }

  private:
    std::vector<Record> _records;
    std::size_t _dropped = 0;
};

}  // namespace device
