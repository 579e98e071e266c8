// SPDX-License-Identifier: MIT
// The guide's pages as the Help window lists and searches them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace guide {

struct GuidePage {
    std::string file;   // its name in the guide's folder, such as "importing.md"
    std::string title;  // its first "# " heading, or the file's name
    std::string text;   // the Markdown as written
};

// The Markdown pages of `folder`: the contents page first, then the pages in the order it
// links them, then any other page by name. A page that cannot be read is left out.
std::vector<GuidePage> readGuidePages(const std::string& folder);

struct GuideHit {
    std::string file;   // the page's file
    std::string title;  // the page's title
    std::string line;   // the words in their paragraph, as shown: cut to a line, without Markdown marks
};

// Every paragraph, heading, list item and table row of `pages` that holds `words` (letters
// compared without case; the lines of a paragraph joined by blanks), in page order. Blank
// words find nothing.
std::vector<GuideHit> searchGuide(const std::vector<GuidePage>& pages, std::string_view words);

// The anchor a heading is linked by ("#removing-weeks" for "## Removing weeks"): lower
// case, blanks as '-', and only letters, digits, '-' and '_' kept.
std::string headingAnchor(std::string_view heading);

}  // namespace guide
