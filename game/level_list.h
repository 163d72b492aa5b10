// The level list a Game draws its boards from. It never changes after
// start-up, so copies of a Game (a planner may make thousands) share one
// immutable list instead of copying 551 boards each time.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "level.h"

namespace corvale {

class LevelList {
   public:
    using value_type = Level;
    using const_iterator = std::vector<Level>::const_iterator;

    LevelList() : items(std::make_shared<const std::vector<Level>>()) {}
    // Takes the levels; the caller's vector is left empty.
    explicit LevelList(std::vector<Level>&& levels)
        : items(std::make_shared<const std::vector<Level>>(std::exchange(levels, {}))) {}

    // Moving copies the pointer, so a moved-from list (and a moved-from Game)
    // still holds a valid list.
    LevelList(const LevelList&) = default;
    LevelList& operator=(const LevelList&) = default;

    std::size_t size() const { return items->size(); }
    bool empty() const { return items->empty(); }
    const Level& operator[](std::size_t i) const { return (*items)[i]; }
    const Level& at(std::size_t i) const { return items->at(i); }
    const_iterator begin() const { return items->begin(); }
    const_iterator end() const { return items->end(); }

    // Callers written against a plain vector keep working (and can copy it).
    const std::vector<Level>& vector() const { return *items; }
    operator const std::vector<Level>&() const { return *items; }  // NOLINT: deliberate implicit view

   private:
    std::shared_ptr<const std::vector<Level>> items;
};

}  // namespace corvale
