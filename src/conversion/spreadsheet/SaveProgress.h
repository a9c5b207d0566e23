#pragma once
#include <atomic>

namespace tabulizer::sheet {

// How far a save has come: sheets written of all. The save sets it; another
// thread may read it meanwhile.
struct SaveProgress {
    std::atomic<int> written{0};
    std::atomic<int> total{0};
    // 0 to 100; 0 before a save has begun.
    int Percent() const;
};

}  // namespace tabulizer::sheet
