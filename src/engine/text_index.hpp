// Texts to small numbers without a string per text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace sarvelo {

// Texts to numbers by open addressing, over views of texts that do not
// change meanwhile (table cells, the lines of a list): nothing is allocated
// per text, and the slots hold only a check and a position, so that the
// probes stay in cache. Sized once for at most `capacity` texts, on the
// first insertion.
class TextIndex {
public:
    explicit TextIndex(std::size_t capacity) : capacity_(capacity) {}

    int find(std::string_view text) const {
        if (slots_.empty()) return -1;
        const std::size_t h = std::hash<std::string_view>{}(text);
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            const Slot slot = slots_[i];
            if (slot.position < 0) return -1;
            if (slot.check == static_cast<std::uint32_t>(h >> 32) && keys_[slot.position] == text) return values_[slot.position];
        }
    }

    // The value of the text; `value` when it is new, and then true.
    std::pair<int, bool> insert(std::string_view text, int value) {
        if (slots_.empty()) {
            std::size_t size = 16;
            while (size < 2 * capacity_) size *= 2;
            slots_.resize(size);
            mask_ = size - 1;
            keys_.reserve(capacity_);
            values_.reserve(capacity_);
        }
        const std::size_t h = std::hash<std::string_view>{}(text);
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            Slot& slot = slots_[i];
            if (slot.position < 0) {
                slot = Slot{static_cast<std::uint32_t>(h >> 32), static_cast<int>(keys_.size())};
                keys_.push_back(text);
                values_.push_back(value);
                return {value, true};
            }
            if (slot.check == static_cast<std::uint32_t>(h >> 32) && keys_[slot.position] == text)
                return {values_[slot.position], false};
        }
    }

private:
    struct Slot {
        std::uint32_t check = 0;
        int position = -1;  // in keys_ and values_; -1: free
    };
    std::size_t capacity_;
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    std::vector<std::string_view> keys_;
    std::vector<int> values_;
};

}  // namespace sarvelo
