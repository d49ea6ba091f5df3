// Jump targets of a two-pass unit and their sequence numbers.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace bgltext {

enum class DecodePass { Collect = 1, Print = 2 };

// The most jump targets one unit may hold, for an input file of the given
// size. A target takes at least a word of the image (a Switch displacement),
// so a plain file never reaches this; an unpacked image may hold 1024 times
// its file, and one that is mostly targets ends its run as if memory had run
// out, instead of holding some forty bytes of table for every two of them.
constexpr uint64_t kExtraLabels = 1 << 16;
inline uint64_t LabelLimit(uint64_t fileSize) { return fileSize / 2 + kExtraLabels; }

// Targets are keyed by their image offset; each new target takes the next
// sequence number, so numbers follow the order in which targets are met.
class LabelTable {
 public:
  // Adds t unless present.
  void Register(uint32_t target) {
    if (!entries_.try_emplace(target, next_).second) return;
    ++next_;
    if (target < kMarkLimit) {
      if (target / 64 >= marks_.size()) marks_.resize(target / 64 + 1, 0);
      marks_[target / 64] |= uint64_t{1} << (target % 64);
    } else {
      ++farTargets_;
    }
  }
  // The sequence number of target, or -1 when it is not in the table. The
  // readers ask before every read, so a bit per offset answers most asks.
  int32_t Find(uint32_t target) const {
    if (target < kMarkLimit) {
      if (target / 64 >= marks_.size() || !(marks_[target / 64] >> (target % 64) & 1)) return -1;
    } else if (farTargets_ == 0) {
      return -1;
    }
    auto it = entries_.find(target);
    return it == entries_.end() ? -1 : it->second;
  }
  // False when offset is certainly not a target; the readers ask before
  // every read, so this stays a bit test.
  bool MayHold(uint32_t offset) const {
    if (offset < kMarkLimit)
      return offset / 64 < marks_.size() && (marks_[offset / 64] >> (offset % 64) & 1);
    return farTargets_ != 0;
  }
  bool Empty() const { return entries_.empty(); }
  size_t Count() const { return entries_.size(); }
  void Clear() {
    for (const auto& e : entries_)
      if (e.first < kMarkLimit) marks_[e.first / 64] = 0;
    entries_.clear();
    farTargets_ = 0;
    next_ = 0;
  }

 private:
  // Offsets below this limit are marked in the bit vector.
  static constexpr uint32_t kMarkLimit = 1u << 26;
  std::unordered_map<uint32_t, int32_t> entries_;
  std::vector<uint64_t> marks_;
  size_t farTargets_ = 0;
  int32_t next_ = 0;
};

}  // namespace bgltext
