#include "study/compact_column.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vortane {

void CompactColumn::Add(double value) {
    if (full_) {
        each_.push_back(value);
    } else {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        Code(bits, value);
    }
    ++size_;
}

void CompactColumn::Repeat() {
    if (size_ == 0) {
        Add(0);
    } else if (!full_ && coded_.empty()) {
        ++size_;  // still constant
    } else {
        Add((*this)[size_ - 1]);
    }
}

void CompactColumn::Code(std::uint64_t bits, double value) {
    auto found = codes_.find(bits);
    if (found == codes_.end()) {
        if (distinct_.size() == CodeLimit || (distinct_.size() >= 256 && !Repetitive())) {
            GoFull();
            each_.push_back(value);
            return;
        }
        if (distinct_.size() == 256 && width_ == 1) Widen();
        found = codes_.emplace(bits, static_cast<std::uint16_t>(distinct_.size())).first;
        distinct_.push_back(value);
    }
    if (distinct_.size() == 1) return;  // constant so far
    if (coded_.empty()) coded_.assign(size_ * width_, 0);
    coded_.push_back(static_cast<std::uint8_t>(found->second & 0xFF));
    if (width_ == 2) coded_.push_back(static_cast<std::uint8_t>(found->second >> 8));
}

// Whether the values repeat enough to be worth codes of two bytes: at most one
// distinct value in four points, judged once a few thousand have come. A
// column that follows both swept inputs goes full early, before its table of
// codes has grown.
bool CompactColumn::Repetitive() const {
    constexpr std::size_t Sample = 4096;
    return distinct_.size() * 4 <= std::max(size_, Sample);
}

// From one byte a code to two.
void CompactColumn::Widen() {
    std::vector<std::uint8_t> wide;
    wide.reserve(2 * coded_.size());
    for (const std::uint8_t code : coded_) {
        wide.push_back(code);
        wide.push_back(0);
    }
    coded_ = std::move(wide);
    width_ = 2;
}

void CompactColumn::GoFull() {
    each_.reserve(std::max(room_, 2 * size_));
    for (std::size_t point = 0; point < size_; ++point) each_.push_back((*this)[point]);
    full_ = true;
    distinct_ = {};
    codes_ = {};
    coded_ = {};
}

std::size_t CompactColumn::CodeAt(std::size_t point) const {
    if (width_ == 1) return coded_[point];
    return coded_[2 * point] | std::size_t{coded_[2 * point + 1]} << 8;
}

double CompactColumn::operator[](std::size_t point) const {
    if (full_) return each_[point];
    return coded_.empty() ? distinct_.front() : distinct_[CodeAt(point)];
}

}  // namespace vortane
