// SPDX-License-Identifier: MIT
#include "search/name_offers.h"

#include "base/utf8_text.h"
#include "search/criteria_panel.h"
#include "store/name_offers.h"
#include "store/search_indexes.h"
#include "store/store_error.h"
#include "store/stored_name.h"

#include <algorithm>

namespace search {

namespace {

std::vector<NameOffer> horseOffers(store::Database& db, std::string_view typed, std::size_t limit) {
    std::vector<NameOffer> offers;
    for (auto& horse : store::horseNameOffers(db, store::storedHorseName(typed), limit))
        offers.push_back({std::move(horse.name), horse.hid, static_cast<int>(horse.lastRace)});
    return offers;
}

std::vector<NameOffer> plainOffers(std::vector<std::string> names) {
    std::vector<NameOffer> offers;
    for (auto& name : names) offers.push_back({std::move(name), std::nullopt, std::nullopt});
    return offers;
}

std::vector<NameOffer> breedingOffers(OfferSources& sources, progeny::Ancestor position, std::string_view typed,
                                      std::size_t limit) {
    if (!sources.breeding) return {};
    // The progeny search compares a sire's name with its first 25 characters too.
    const auto& names = sources.breeding->of(sources.breedingFile);
    return plainOffers(names.beginningWith(position, store::storedHorseName(typed), limit));
}

}  // namespace

bool offersFor(std::string_view typed) {
    return base::characterCount(typed) >= 2 && typed.find_first_of("*?") == std::string_view::npos;
}

std::vector<NameOffer> nameOffers(OfferSources& sources, OfferKind kind, std::string_view typed, std::size_t limit) {
    if (!offersFor(typed)) return {};
    switch (kind) {
    case OfferKind::Horse:
        return horseOffers(*sources.db, typed, limit);
    case OfferKind::Owner:
        return plainOffers(store::ownerNameOffers(*sources.db, typed, limit));
    case OfferKind::Sire:
        return breedingOffers(sources, progeny::Ancestor::Sire, typed, limit);
    case OfferKind::DamSire:
        return breedingOffers(sources, progeny::Ancestor::DamSire, typed, limit);
    case OfferKind::DamsDamSire:
        return breedingOffers(sources, progeny::Ancestor::DamsDamSire, typed, limit);
    }
    return {};
}

std::optional<OfferKind> nameBoxKind(const shell::MainFinder& window) {
    if (window.opthorse.checked) return OfferKind::Horse;
    if (window.optowner.checked) return OfferKind::Owner;
    if (window.optsire.checked) return OfferKind::Sire;
    if (window.optdamsire.checked) return OfferKind::DamSire;
    if (window.optdamdamsire.checked) return OfferKind::DamsDamSire;
    return std::nullopt;
}

std::vector<NameOffer> windowOffers(shell::WindowSession& window, progeny::BreedingNamesOfFile* breeding,
                                    OfferKind kind, std::string_view typed) {
    if (!offersFor(typed)) return {};
    try {
        auto readers = window.readers();
        if (store::searchIndexesMissing(readers->here)) return {};
        OfferSources sources{&readers->here, breeding, window.breedingFile()};
        return nameOffers(sources, kind, typed);
    } catch (const store::StoreError&) { return {}; }
}

void takeNameOffer(shell::MainFinder& window, const NameOffer& offer) {
    if (offer.id) {
        listHorse(window, offer.name, std::to_string(*offer.id));
        return;
    }
    window.txthorse.caption = offer.name;
    cmdgethorse_click(window);
}

}  // namespace search
