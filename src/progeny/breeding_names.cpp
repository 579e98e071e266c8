// SPDX-License-Identifier: MIT
#include "progeny/breeding_names.h"

#include "progeny/breeding_file.h"
#include "store/text_compare.h"

#include <algorithm>
#include <unordered_set>

namespace progeny {

namespace {

// The names of one position as they come, kept once each whatever their letter case.
class DistinctNames {
public:
    void add(std::string_view name) {
        std::string folded(name);
        std::ranges::transform(folded, folded.begin(), store::foldAscii);
        if (folded_.insert(std::move(folded)).second) names_.emplace_back(name);
    }
    std::vector<std::string> inOrder() && {
        std::ranges::sort(names_, [](const auto& a, const auto& b) { return store::compareNames(a, b) < 0; });
        return std::move(names_);
    }

private:
    std::unordered_set<std::string> folded_;
    std::vector<std::string> names_;
};

std::size_t indexOf(Ancestor position) { return static_cast<std::size_t>(position) - 1; }

}  // namespace

BreedingNames BreedingNames::read(TextSource& source) {
    std::array<DistinctNames, 3> distinct;
    forEachAncestry(source, [&](std::string_view sire, std::string_view damSire, std::string_view damsDamSire) {
        distinct[indexOf(Ancestor::Sire)].add(sire);
        distinct[indexOf(Ancestor::DamSire)].add(damSire);
        distinct[indexOf(Ancestor::DamsDamSire)].add(damsDamSire);
    });
    BreedingNames names;
    for (std::size_t i = 0; i < distinct.size(); ++i) names.names_[i] = std::move(distinct[i]).inOrder();
    return names;
}

std::vector<std::string> BreedingNames::beginningWith(Ancestor position, std::string_view prefix,
                                                      std::size_t limit) const {
    const auto& names = names_[indexOf(position)];
    auto first = std::ranges::lower_bound(
        names, prefix, [](std::string_view a, std::string_view b) { return store::compareNames(a, b) < 0; });
    std::vector<std::string> found;
    for (; first != names.end() && found.size() < limit && store::nameBeginsWith(*first, prefix); ++first)
        found.push_back(*first);
    return found;
}

BreedingNamesOfFile::Stamp BreedingNamesOfFile::stampOf(const std::string& path) {
    std::error_code sizeError, timeError;
    Stamp stamp{path, std::filesystem::file_size(path, sizeError), std::filesystem::last_write_time(path, timeError)};
    if (sizeError || timeError) stamp.size = static_cast<std::uintmax_t>(-1);  // no file that can be read
    return stamp;
}

BreedingNamesOfFile::ReadNames BreedingNamesOfFile::readNames(const Stamp& stamp) {
    std::string why;
    const auto file = stamp.size == static_cast<std::uintmax_t>(-1) ? nullptr : BreedingFile::open(stamp.path, why);
    return {stamp, file ? BreedingNames::read(*file) : BreedingNames{}};
}

void BreedingNamesOfFile::takeReadAhead() {
    if (!ahead_.valid()) return;
    auto read = ahead_.get();
    stamp_ = std::move(read.stamp);
    names_ = std::move(read.names);
}

void BreedingNamesOfFile::readAhead(const std::string& path) {
    if (ahead_.valid()) return;
    Stamp stamp = stampOf(path);
    if (stamp_ != stamp) ahead_ = std::async(std::launch::async, &BreedingNamesOfFile::readNames, std::move(stamp));
}

const BreedingNames& BreedingNamesOfFile::of(const std::string& path) {
    takeReadAhead();
    Stamp stamp = stampOf(path);
    if (stamp_ == stamp) return names_;
    auto read = readNames(stamp);
    stamp_ = std::move(read.stamp);
    names_ = std::move(read.names);
    return names_;
}

}  // namespace progeny
