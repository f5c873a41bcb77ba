#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace vortane {

// The doubles of one column, point by point, held as compactly as their
// variety allows: once while every value is the same, then as a code of one
// byte per point into the distinct values while there are at most 256 of
// them, of two bytes while at most 65,536 and repeating (a column that
// follows one swept input alone), else each in full. Values are told apart by their bits, so
// each reads back exactly.
class CompactColumn {
public:
    // Room for `points` values should the column hold each in full; memory
    // is taken only as the values come.
    explicit CompactColumn(std::size_t points = 0) : room_(points) {}

    void Add(double value);
    // The last value again, standing in for an empty cell; costs nothing while
    // the column is constant.
    void Repeat();

    std::size_t Size() const { return size_; }
    // The bytes held per point in all: 0 while constant, 1 or 2 a point while
    // coded, 8 when full.
    std::size_t PointBytes() const { return full_ ? 8 * each_.size() : coded_.size(); }
    double operator[](std::size_t point) const;

private:
    static constexpr std::size_t CodeLimit = 65536;

    void Code(std::uint64_t bits, double value);
    bool Repetitive() const;
    void Widen();
    void GoFull();
    std::size_t CodeAt(std::size_t point) const;

    std::size_t room_;
    std::size_t size_ = 0;
    std::vector<double> distinct_;                            // while coded or constant
    std::unordered_map<std::uint64_t, std::uint16_t> codes_;  // bits to index in distinct_
    // Per point, once two values are seen: its code in `width_` bytes, low byte first.
    std::vector<std::uint8_t> coded_;
    std::size_t width_ = 1;
    bool full_ = false;                                       // beyond CodeLimit values
    std::vector<double> each_;                          // per point, once full
};

}  // namespace vortane
