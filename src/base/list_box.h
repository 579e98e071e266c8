// SPDX-License-Identifier: MIT
// The state of a list box: its entries and which of them are selected.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace base {

// State of a list box: its entries and which of them are selected. A list with single
// selection keeps at most one selected; one with multiple selection any number.
class ListBox {
public:
    explicit ListBox(bool multiSelect = false) : multiSelect_(multiSelect) {}

    void clear() {
        items_.clear();
        selected_.clear();
    }
    void addItem(std::string text) {
        items_.push_back(std::move(text));
        selected_.push_back(false);
    }
    void removeItem(std::size_t index) {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
        selected_.erase(selected_.begin() + static_cast<std::ptrdiff_t>(index));
    }
    void setSelected(std::size_t index, bool selected) {
        if (selected && !multiSelect_) selected_.assign(selected_.size(), false);
        selected_.at(index) = selected;
    }

    bool multiSelect() const { return multiSelect_; }
    std::size_t listCount() const { return items_.size(); }
    const std::string& list(std::size_t index) const { return items_.at(index); }
    const std::vector<std::string>& items() const { return items_; }
    bool selected(std::size_t index) const { return selected_.at(index); }
    // The selected entry of a single-selection list (the first one of a multiple one).
    std::optional<std::size_t> listIndex() const {
        for (std::size_t i = 0; i < selected_.size(); ++i)
            if (selected_[i]) return i;
        return std::nullopt;
    }

private:
    bool multiSelect_;
    std::vector<std::string> items_;
    std::vector<bool> selected_;
};

}  // namespace base
