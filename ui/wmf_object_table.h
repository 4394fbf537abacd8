// The object table of a metafile, as its reader and its player keep it.
#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace ui::wmf {

// A new object takes the lowest free slot. The free slots are kept apart, as a picture may
// create a hundred thousand objects and walking the table for each would keep the screen waiting
// for minutes.
template <typename T> class ObjectTable {
public:
    void add(T object) {
        if (free_.empty()) {
            slots_.push_back(std::move(object));
            return;
        }
        ++slotsLookedAt_;
        const size_t slot = *free_.begin();
        free_.erase(free_.begin());
        slots_[slot] = std::move(object);
    }
    void remove(size_t index) {
        if (index >= slots_.size() || !slots_[index]) return;
        slots_[index].reset();
        free_.insert(index);
    }
    // Nothing for a free slot or one past the table.
    const T* find(size_t index) const {
        return index < slots_.size() && slots_[index] ? &*slots_[index] : nullptr;
    }
    // The slots looked at so far to place new objects: the free one taken, each time one is
    // taken. A search through the table would count every slot it passed.
    size_t slotsLookedAt() const { return slotsLookedAt_; }

private:
    std::vector<std::optional<T>> slots_;
    std::set<size_t> free_;
    size_t slotsLookedAt_ = 0;
};

} // namespace ui::wmf
