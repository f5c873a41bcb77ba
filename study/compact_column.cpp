#include "study/compact_column.h"

#include <algorithm>
#include <bit>

namespace vortane {

void CompactColumn::Add(double value) {
    if (full_) {
        each_.push_back(value);
    } else {
        Code(std::bit_cast<std::uint64_t>(value), value);
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
        if (distinct_.size() == CodeLimit) {
            GoFull();
            each_.push_back(value);
            return;
        }
        found = codes_.emplace(bits, static_cast<std::uint8_t>(distinct_.size())).first;
        distinct_.push_back(value);
    }
    if (distinct_.size() == 1) return;  // constant so far
    if (coded_.empty()) coded_.assign(size_, 0);
    coded_.push_back(found->second);
}

void CompactColumn::GoFull() {
    each_.reserve(std::max(room_, 2 * size_));
    for (std::size_t point = 0; point < size_; ++point) each_.push_back((*this)[point]);
    full_ = true;
    distinct_ = {};
    codes_ = {};
    coded_ = {};
}

double CompactColumn::operator[](std::size_t point) const {
    if (full_) return each_[point];
    return coded_.empty() ? distinct_.front() : distinct_[coded_[point]];
}

}  // namespace vortane
