// Function-pointer slots of host records whose declared type is not the function's own: our
// declarations leave the slots this project never calls as plain function pointers (the SDK
// types each fully). Filling and reading them goes through void (*)(void), which converts to
// and from every function pointer type, so the same code builds against either.
#pragma once

#include <type_traits>

namespace embedhost {

template <typename Slot, typename Fn>
void fillSlot(Slot &slot, Fn fn) {
    static_assert(std::is_pointer_v<Slot> && std::is_function_v<std::remove_pointer_t<Slot>>);
    slot = reinterpret_cast<Slot>(reinterpret_cast<void (*)()>(fn));
}

// Fills every given slot with fn.
template <typename Fn, typename... Slots>
void fillSlots(Fn fn, Slots &...slots) {
    (fillSlot(slots, fn), ...);
}

// The function in a slot, as the type it really has.
template <typename Fn, typename Slot>
Fn slotAs(Slot slot) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(slot));
}

} // namespace embedhost
