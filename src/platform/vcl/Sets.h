#pragma once
// A set over an enumeration whose ordinals run from 0 to 63, stored as bits (bit value = 1 << ordinal).
#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }

  static constexpr TSet FromBits(std::uint64_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }
  constexpr std::uint64_t Bits() const { return bits_; }

  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E e) {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    bits_ &= ~Bit(e);
    return *this;
  }

  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  constexpr TSet& operator+=(TSet o) {
    bits_ |= o.bits_;
    return *this;
  }
  constexpr TSet& operator-=(TSet o) {
    bits_ &= ~o.bits_;
    return *this;
  }
  constexpr TSet& operator*=(TSet o) {
    bits_ &= o.bits_;
    return *this;
  }
  // True when every member of this set is in the other.
  constexpr bool SubsetOf(TSet o) const { return (bits_ & ~o.bits_) == 0; }
  friend constexpr bool operator==(TSet a, TSet b) { return a.bits_ == b.bits_; }

 private:
  static constexpr std::uint64_t Bit(E e) { return std::uint64_t{1} << static_cast<unsigned>(e); }
  std::uint64_t bits_ = 0;
};
