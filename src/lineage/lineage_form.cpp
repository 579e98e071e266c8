// SPDX-License-Identifier: MIT
#include "lineage/lineage_form.h"

#include <array>

namespace lineage {

namespace {

constexpr std::array<const char*, 3> kLineHeaders{"Sire Line", "Dam-Sire Line", "Dam's Dam-Sire Line"};
constexpr std::array<const char*, 4> kRowHeaders{"Horse", "Sire", "Dam-Sire", "Sire's Sire"};

}  // namespace

LineageForm::LineageForm() {
    MSFlexGrid1.setFont("Arial", 7.5);
    MSFlexGrid1.setGridLineColour(base::kLightGrey);
    MSFlexGrid1.setColumnWidth(0, kHorseColumnWidth);
    for (int col = 1; col < MSFlexGrid1.cols(); ++col) MSFlexGrid1.setColumnWidth(col, kLineColumnWidth);
    // Every row shows, with a small allowance for the borders.
    MSFlexGrid1.setHeight(MSFlexGrid1.rows() * MSFlexGrid1.rowHeight() + 60);
}

void LineageForm::showLineage(const LineageInfo& info) {
    lbllineage.caption = info.title;
    lblmisc.caption = info.page.misc;
    lblwinstats.caption = info.page.winstats;
    for (std::size_t row = 0; row < info.page.pedigree.size(); ++row)
        for (std::size_t col = 0; col < info.page.pedigree[row].size(); ++col)
            MSFlexGrid1.setText(static_cast<int>(row) + 1, static_cast<int>(col) + 1, info.page.pedigree[row][col]);
    MSFlexGrid1.select(0, 1, 0, 1);
    for (std::size_t col = 0; col < kLineHeaders.size(); ++col)
        MSFlexGrid1.setText(0, static_cast<int>(col) + 1, kLineHeaders[col]);
    for (std::size_t row = 0; row < kRowHeaders.size(); ++row)
        MSFlexGrid1.setText(static_cast<int>(row) + 1, 0, kRowHeaders[row]);
}

std::vector<std::pair<std::string_view, base::Control*>> LineageForm::controls() {
    return {{"lbllineage", &lbllineage}, {"fra1", &fra1},          {"lblmisc", &lblmisc},
            {"fra2", &fra2},             {"lblwinstats", &lblwinstats}};
}

}  // namespace lineage
