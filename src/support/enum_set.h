// A set of the enumerators of E, one bit per enumerator value. Storage must
// hold a bit for every value of E.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace marlinet::support {

template <class E, class Storage = std::uint32_t>
class EnumSet {
    static_assert(std::is_enum_v<E> && std::is_unsigned_v<Storage>);

public:
    constexpr EnumSet() noexcept = default;
    constexpr EnumSet(std::initializer_list<E> items) noexcept {
        for (E item : items)
            bits_ = static_cast<Storage>(bits_ | bit(item));
    }
    // Bits beyond Storage are dropped.
    static constexpr EnumSet FromBits(std::uint64_t bits) noexcept {
        EnumSet s;
        s.bits_ = static_cast<Storage>(bits);
        return s;
    }

    constexpr bool Contains(E item) const noexcept { return (bits_ & bit(item)) != 0; }
    // True when every element of Items is in this set.
    constexpr bool Contains(EnumSet items) const noexcept {
        return (bits_ & items.bits_) == items.bits_;
    }
    constexpr bool Empty() const noexcept { return bits_ == 0; }
    constexpr Storage Bits() const noexcept { return bits_; }

    constexpr EnumSet& Include(E item) noexcept {
        bits_ = static_cast<Storage>(bits_ | bit(item));
        return *this;
    }
    constexpr EnumSet& Exclude(E item) noexcept {
        bits_ = static_cast<Storage>(bits_ & ~bit(item));
        return *this;
    }
    constexpr EnumSet operator|(EnumSet other) const noexcept {
        return FromBits(bits_ | other.bits_);
    }
    constexpr EnumSet operator&(EnumSet other) const noexcept {
        return FromBits(bits_ & other.bits_);
    }
    constexpr EnumSet operator-(EnumSet other) const noexcept {
        return FromBits(bits_ & ~other.bits_);
    }
    constexpr EnumSet& operator|=(EnumSet other) noexcept {
        bits_ = static_cast<Storage>(bits_ | other.bits_);
        return *this;
    }
    constexpr bool operator==(const EnumSet&) const noexcept = default;

private:
    static constexpr Storage bit(E item) noexcept {
        return static_cast<Storage>(Storage{1} << static_cast<unsigned>(item));
    }
    Storage bits_ = 0;
};

} // namespace marlinet::support
