// SPDX-License-Identifier: MIT
#include "progeny/breeding_file_reader.h"
#include "progeny/text_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {

using progeny::TextLines;
using Lines = std::vector<std::string>;

// Hands out a text in pieces of at most `pieceSize` bytes, as a file read in pieces
// would, and fails once `failAfter` bytes are out when told to.
class PieceSource : public progeny::TextSource {
public:
    PieceSource(std::string text, std::size_t pieceSize, std::size_t failAfter = std::string::npos)
        : text_(std::move(text)), pieceSize_(pieceSize), failAfter_(failAfter) {}

    std::size_t read(char* into, std::size_t size) override {
        if (given_ >= failAfter_) throw std::runtime_error("The text could not be read.");
        const std::size_t count = std::min({size, pieceSize_, text_.size() - given_});
        std::copy_n(text_.data() + given_, count, into);
        given_ += count;
        return count;
    }

private:
    std::string text_;
    std::size_t pieceSize_;
    std::size_t failAfter_;
    std::size_t given_ = 0;
};

Lines allLines(TextLines& lines) {
    Lines found;
    while (const auto line = lines.next()) found.emplace_back(*line);
    EXPECT_TRUE(lines.atEnd());
    return found;
}

Lines whole(std::string_view text) {
    TextLines lines(text);
    return allLines(lines);
}

Lines inPieces(const std::string& text, std::size_t pieceSize) {
    PieceSource source(text, pieceSize);
    TextLines lines(source);
    return allLines(lines);
}

TEST(TextLines, EveryBreakFormEndsALineAndAFinalBreakStartsNoOtherLine) {
    EXPECT_EQ(whole("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(whole("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(whole("a\r"), (Lines{"a"}));
    EXPECT_EQ(whole("a\n\r"), (Lines{"a", ""}));      // LF then a lone CR: two breaks
    EXPECT_EQ(whole("a\r\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(whole("\n\nx"), (Lines{"", "", "x"}));
    EXPECT_EQ(whole("\xEF\xBB\xBF" "a\nb"), (Lines{"a", "b"}));  // the byte-order mark is dropped
    EXPECT_EQ(whole(""), Lines{});
    EXPECT_EQ(whole("\xEF\xBB\xBF"), Lines{});
    // Bytes one off a break, or a break with the high bit set, end no line, wherever they
    // stand among eight bytes.
    const std::string nearMisses = "\x0b\x0c\x8a\x8d\x09\x0e\xca\xcd\x8a";
    for (std::size_t shift = 0; shift < 8; ++shift) {
        const std::string line = std::string(shift, 'p') + nearMisses;
        EXPECT_EQ(whole(line + "\r\n" + line + "\r" + line), (Lines{line, line, line})) << shift;
    }
}

// A file is read in pieces; a break split between two pieces, above all a CRLF, must not
// change the lines. Every piece size from one byte up is tried over texts mixing all forms.
TEST(TextLines, PiecesOfAnySizeGiveTheLinesOfTheWholeText) {
    const std::string texts[] = {
        "\xEF\xBB\xBF" "1,Alpha,3,C\r\n1,Iron Duke,\r\n\r\n2,Beta,4,F\n2,Storm Bay,\r2,x,\r\n",
        "a\r\r\n\n\rb\r\nc\r",
        "no break at all",
        std::string(5000, 'x') + "\r\n" + std::string(3, 'y') + "\r" + std::string(70000, 'z'),
    };
    for (const std::string& text : texts)
        for (const std::size_t pieceSize : {1u, 2u, 3u, 7u, 64u, 4096u, 1u << 20})
            EXPECT_EQ(inPieces(text, pieceSize), whole(text)) << pieceSize << " " << text.substr(0, 20);
}

TEST(TextLines, LinesLongerThanTheBufferAndNumberedFromOne) {
    const std::string longLine(1'500'000, 'n');
    PieceSource source(longLine + "\r\nshort\r", 100'000);
    TextLines lines(source);
    EXPECT_EQ(lines.next(), longLine);
    EXPECT_EQ(lines.number(), 1);
    EXPECT_EQ(lines.next(), "short");
    EXPECT_EQ(lines.number(), 2);
    EXPECT_FALSE(lines.next());
}

// A file that cannot be read to its end ends the reading with a message; the horses kept
// before it stay, and a file unreadable from its start keeps none.
TEST(TextLines, ASourceThatFailsEndsTheBreedingFileWithItsMessage) {
    const std::string groups = "1,Alpha,3,C\n1,Iron Duke,\n1,a,\n1,b,\n2,Beta,3,C\n2,Iron Duke,\n2,a,\n2,b,\n";
    PieceSource failing(groups, 8, 50);
    const auto selection = progeny::selectOffspring(failing, "Iron Duke", progeny::Ancestor::Sire);
    EXPECT_EQ(selection.problem, "The text could not be read.");
    ASSERT_EQ(selection.offspring.size(), 1u);
    EXPECT_EQ(selection.offspring[0].name, "Alpha");

    PieceSource unreadable(groups, 8, 0);
    const auto none = progeny::selectOffspring(unreadable, "Iron Duke", progeny::Ancestor::Sire);
    EXPECT_EQ(none.problem, "The text could not be read.");
    EXPECT_TRUE(none.offspring.empty());
}

}  // namespace
