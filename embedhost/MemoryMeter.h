// What the effect holds of the host's memory (the worlds it made and its handles) and the most
// it has held since the last reset: the measure of what a render takes from the host.
#pragma once

#include <atomic>
#include <cstddef>

namespace embedhost {

class MemoryMeter {
public:
    void add(std::size_t bytes) {
        const std::size_t live = live_.fetch_add(bytes) + bytes;
        std::size_t peak = peak_.load();
        while (live > peak && !peak_.compare_exchange_weak(peak, live)) {
        }
    }
    void remove(std::size_t bytes) { live_.fetch_sub(bytes); }
    std::size_t live() const { return live_.load(); }
    std::size_t peak() const { return peak_.load(); }
    // The peak starts again from what is held now.
    void resetPeak() { peak_.store(live_.load()); }

private:
    std::atomic<std::size_t> live_{0}, peak_{0};
};

} // namespace embedhost
