// A copy of a value taken under its mutex: the stores' counters are read from any thread.
#pragma once

#include <mutex>

namespace embedhost {

template <class T, class Mutex>
T lockedRead(Mutex &mutex, const T &value) {
    std::lock_guard lock(mutex);
    return value;
}

} // namespace embedhost
