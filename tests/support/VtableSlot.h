// The vtable slot a virtual member function occupies. Modules are called
// through fixed slots, so tests pin them: with the Itanium C++ ABI a pointer
// to a virtual member holds 1 + the slot's byte offset.
#pragma once

#include <cstddef>
#include <cstring>

namespace testing_support {

template <typename Member>
std::size_t SlotOf(Member member)
{
    std::ptrdiff_t representation[2];
    static_assert(sizeof(member) == sizeof(representation));
    std::memcpy(representation, &member, sizeof representation);
    return static_cast<std::size_t>(representation[0] - 1) / sizeof(void *);
}

} // namespace testing_support
