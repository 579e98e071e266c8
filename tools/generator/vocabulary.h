// SPDX-License-Identifier: MIT
#pragma once

// The words, texts and race types that harrowdex-generate-results makes its results files
// from. All names are invented.
#include <span>
#include <string_view>

namespace generator {

using Words = std::span<const std::string_view>;

constexpr std::string_view kFirstWords[] = {
    "Amber", "Ancient", "Ashen", "Blazing", "Bold", "Brave", "Bright", "Cobalt", "Copper", "Crimson", "Dancing",
    "Distant", "Dusky", "Electric", "Emerald", "Fancy", "Flying", "Gallant", "Gentle", "Golden", "Grand",
    "Hidden", "Iron", "Ivory", "Jolly", "Lonely", "Lucky", "Maple", "Merry", "Midnight", "Mighty", "Misty",
    "Noble", "Northern", "Painted", "Proud", "Quiet", "Rapid", "Restless", "Rocky", "Royal", "Rusty", "Saffron",
    "Scarlet", "Secret", "Silent", "Silver", "Smoky", "Southern", "Spicy", "Steady", "Stormy", "Sunny", "Swift",
    "Tawny", "Velvet", "Western", "Wild", "Windy", "Winter"};
constexpr std::string_view kNouns[] = {
    "Anthem", "Arrow", "Bandit", "Baron", "Beacon", "Blizzard", "Breeze", "Cannon", "Canyon", "Comet", "Courier",
    "Dancer", "Dasher", "Diamond", "Duke", "Ember", "Empress", "Express", "Falcon", "Flame", "Forest", "Fox",
    "Gambler", "Glory", "Harbor", "Hunter", "Island", "Jewel", "King", "Lady", "Lantern", "Legend", "Meadow",
    "Monarch", "Mustang", "Outlaw", "Pearl", "Piper", "Prince", "Queen", "Raider", "Ranger", "Rhythm", "Ridge",
    "River", "Rocket", "Sailor", "Shadow", "Sparrow", "Spirit", "Stallion", "Star", "Tempest", "Thunder",
    "Tiger", "Trail", "Treasure", "Valley", "Voyager", "Waltz", "Warrior"};
constexpr std::string_view kPlaces[] = {
    "Ashford", "Avondale", "Bramley", "Carrick", "Dunmore", "Elmstead", "Fairholme", "Glenrock", "Hartfield",
    "Kestrel", "Larchmont", "Millbrook", "Northgate", "Oakhurst", "Pembury", "Redcliff", "Stanwick",
    "Thornbury", "Wetherby", "Westmoor", "Whitby", "Yardley"};
constexpr std::string_view kTrackKinds[] = {"Downs", "Park", "Meadows", "Fields", "Racecourse", "Heath"};
constexpr std::string_view kRaceTitles[] = {"Classic", "Mile", "Derby", "Oaks", "Cup", "Handicap", "Sprint"};
constexpr std::string_view kSurnames[] = {
    "Abbott", "Barlow", "Bishop", "Booth", "Carver", "Cole", "Crane", "Dalton", "Doyle", "Drake", "Ellis",
    "Farley", "Fenwick", "Fletcher", "Gale", "Garrett", "Grey", "Hale", "Hollis", "Hurst", "Ingram", "Jarvis",
    "Keller", "Kemp", "Lane", "Lister", "Lowry", "Marsh", "Mercer", "Moss", "Nolan", "Norris", "Osborne", "Parr",
    "Pike", "Pryce", "Quinlan", "Radley", "Reeve", "Rowe", "Shaw", "Stone", "Sutton", "Tate", "Thorne", "Upton",
    "Vance", "Ware", "Whitlock", "Yates"};
constexpr std::string_view kStableKinds[] = {"Racing",  "Stables", "Thoroughbreds", "Bloodstock", "Partners",
                                             "Farms",   "Stud",    "Equine",        "Ranch",      "Racing Club"};
constexpr std::string_view kComments[] = {
    "Drew off", "Gamely", "Pace, faded", "Rallied late", "Wide throughout", "Never a threat", "Hung",
    "Stumbled start", "Blocked, came again", "Bore out", "Saved ground", "Even trip", "Tired", "Ridden out"};
constexpr std::string_view kDirtGoings[] = {"Fast", "Good", "Sloppy"};
constexpr std::string_view kTurfGoings[] = {"Firm", "Good", "Yielding"};
constexpr int kGoingWeights[] = {680, 170, 150};
constexpr int kAgeWeights[] = {150, 200, 450, 200};  // 2, 3, 3 and up, 4 and up year olds
constexpr std::string_view kCountWords[] = {"ONE", "TWO", "THREE", "FOUR"};
constexpr std::string_view kNonWinnerTails[] = {
    " except maiden, claiming or starter.", " Lifetime.", " Lifetime except maiden or claiming.",
    " in the last 3 months.", " in the last 6 months.", " in 9 months or 3 starts.",
    " in the last twelve months except claiming.", " since last year except stakes.", " in the last year.",
    " other than maiden, claiming or starter."};
constexpr std::string_view kOpenClauses[] = {
    ". Restricted to horses stabled at this track.", ". Open to player created horses only.",
    ". Weight 122 lbs.", ". Weight 122 lbs. Allowances for non-winners since March."};
constexpr std::string_view kNoClaimPrice[] = {"", "0"};
constexpr int kClaimPrices[] = {2500,  4000,  5000,  6250,  7500,  10000, 12500, 16000,
                                20000, 25000, 32000, 40000, 50000, 62500, 75000};

// A race type: how often it is run, its purse range in dollars, how it fills its field
// (-1 the worse of two candidates, +1 the better), and the sentence after who may run
// (empty for the non-winner and other clauses of allowance and claiming races).
struct RaceType {
    std::string_view name;
    int weight, minPurse, maxPurse, classBias;
    bool claiming, maidens, titled;
    std::string_view terms;
};
constexpr std::string_view kStarterTerms =
    " that have started for a claiming price of $10,000 or less. Non-Winners of TWO races since January.";
constexpr RaceType kRaceTypes[] = {
    {"Claiming", 280, 6000, 40000, -1, true, false, false, ""},
    {"Allowance", 200, 25000, 65000, 0, false, false, false, ""},
    {"Maiden Claiming", 110, 5000, 15000, -1, true, true, false, " that have never won a race."},
    {"Maiden Special Weight", 100, 15000, 35000, 0, false, true, false, " that have never won a race."},
    {"Starter Allowance", 60, 15000, 30000, 0, false, false, false, kStarterTerms},
    {"Handicap", 50, 40000, 80000, 0, false, false, true, ". Weights assigned by the racing secretary."},
    {"Stakes", 100, 50000, 120000, 1, false, false, true, ". By subscription, nominations close Friday."},
    {"Grade III", 50, 100000, 250000, 1, false, false, true, ". By invitation, weight for age."},
    {"Grade II", 30, 200000, 350000, 1, false, false, true, ". By invitation, weight for age."},
    {"Grade I", 20, 300000, 1000000, 1, false, false, true, ". By invitation, weight for age."}};

}  // namespace generator
