#!/usr/bin/env python3
"""Turns the benchmark programs' JSON output into the tables of README.md: each measure
of the program beside its SQLite-only reference, as medians, with its goal.

    bench_table.py RESULTS.json [MORE.json ...]
    bench_table.py --decade RESULTS-600.json [...] -- RESULTS-3650.json [...]

The second form is the decade table: the measures taken on the 3,650-week store, each
beside its 600-week figure and how much it grew.
"""
import json
import re
import sys

# (what is measured on 600 weeks, our benchmark, the SQLite-only reference, goal kind, goal value)
# Goal kinds: "ratio" (ours / reference at most), "ms" (at most, in milliseconds),
# "MB" (counter rss_MB at most), None (no goal, shown for comparison).
ROWS = [
    ("Import one week into the 600-week store", "BM_ImportWeekInto600WeekStore", "BM_RawInsertOfTheSameWeek", "ratio", 1.3),
    ("Import 50 weeks into an empty store", "BM_ImportWeeksIntoEmptyStore/50", "BM_PlainLoadThenIndexes/50", None, None),
    ("Import 600 weeks into an empty store", "BM_ImportWeeksIntoEmptyStore/600", "BM_PlainLoadThenIndexes/600", "ratio", 1.2),
    # Here the reference is the import of the same files.
    ("First sync of the 600 weeks' folder into an empty store", "BM_SyncFolderIntoEmptyStore", "BM_ImportWeeksIntoEmptyStore/600", "ratio", 1.2),
    ("Horse search (button to filled grid and statistics)", "BM_HorseSearch", "BM_HorseQuery", "ratio", 1.5),
    ("Horse search, against its time goal", "BM_HorseSearch", None, "ms", 5),
    ("Horse search after an idle spell, its connections opened anew", "BM_HorseSearchAfterIdle", "BM_HorseQuery", "ms", 5),
    ("First horse search, the store's pages read from disk", "BM_HorseSearchCold", "BM_HorseQueryCold", "ratio", 1.5),
    ("First horse search, against its time goal", "BM_HorseSearchCold", None, "ms", 50),
    ("Largest stable, 15,000 rows listed", "BM_LargestOwnerSearch", "BM_LargestOwnerQuery", "ratio", 1.3),
    ("Race search", "BM_RaceSearch", "BM_RaceQuery", "ratio", 1.5),
    ("Progeny of a sire with 2,000 offspring", "BM_ProgenySireSearch", "BM_ProgenyQueriesAlone", "ratio", 1.3),
    ("Crosses: a sire with 2,000 offspring, by dam-sire", "BM_CrossesSireByDamSire", "BM_CrossesSireRunsInSql", "ms", 500),
    ("Crosses: a dam-sire across all sires", "BM_CrossesDamSireBySire", "BM_CrossesDamSireRunsInSql", "ms", 1000),
    ("Week list of the 600-week store", "BM_ListWeeksOf600WeekStore", "BM_ListWeeksReference", "ms", 5),
    ("Removal of one week", "BM_RemoveOneWeekOf600WeekStore", "BM_RemoveOneWeekReference", "ratio", 1.3),
    ("Compaction of the 600-week store", "BM_CompactCopyOf600WeekStore", "BM_CompactReference", "ratio", 1.6),
    # The backup's and restore's references: the store file copied and synced, and the
    # sqlite3 shell's .backup of it.
    ("Backup of the 600-week store (its check left out), beside copying the file", "BM_BackUpRaceStore", "BM_CopyFileReference", "ratio", 2.0),
    ("Backup, beside the sqlite3 shell's .backup", "BM_BackUpRaceStore", "BM_ShellBackupReference", "ratio", 1.0),
    ("Backup with its check of every page", "BM_BackUpRaceStoreChecked", "BM_CopyFileReference", None, None),
    ("Restore of the 600-week store (check, save, write), beside copying the file", "BM_RestoreRaceStore", "BM_CopyFileReference", "ratio", 3.5),
    ("Horse search while a backup runs", "BM_HorseSearchWhileBackupRuns", "BM_HorseSearch", "ms", 5),
    ("Find: active 4 weeks, dirt, best speed ≥ 80 (button to filled table)", "BM_FindActiveDirtFast", "BM_FindActiveDirtFastInSql", "ratio", 2.0),
    ("Find: the same, against its time goal", "BM_FindActiveDirtFast", None, "ms", 300),
    ("Compare of 4 horses", "BM_CompareFourHorses", None, "ms", 50),
    ("Class pars of every stored week (beside reading the same rows)", "BM_ClassPars", "BM_ClassParsReference", "ratio", 1.3),
    ("Class pars, against its time goal", "BM_ClassPars", None, "ms", 300),
    ("A horse placed against the par table", "BM_PlaceHorse", None, "ms", 50),
    ("Head-to-head of four horses", "BM_HeadToHeadOfFourHorses", None, "ms", 20),
    ("Results folder of 600 stored weeks, first check", "BM_ResultsFolderFirstCheck600Files", None, "ms", 300),
    ("Results folder of 600 stored weeks, later check", "BM_ResultsFolderCheck600FilesRemembered", None, "ms", 300),
    ("Name offers: horses, two letters (the most common, \"Wi\")", "BM_HorseNameOffers/two_letters_most_common", "BM_HorseNameOffersReference/two_letters_most_common", "ms", 10),
    ("Name offers: horses, two letters (a less common, \"Re\")", "BM_HorseNameOffers/two_letters_less_common", "BM_HorseNameOffersReference/two_letters_less_common", "ms", 10),
    ("Name offers: horses, a longer prefix (\"Winter B\")", "BM_HorseNameOffers/longer", "BM_HorseNameOffersReference/longer", "ms", 5),
    ("Name offers: stables, two letters (\"Me\")", "BM_OwnerNameOffers/two_letters", "BM_OwnerNameOffersReference/two_letters", "ms", 10),
    ("Name offers: stables, a longer prefix (\"Crane &\")", "BM_OwnerNameOffers/longer", "BM_OwnerNameOffersReference/longer", "ms", 5),
    ("Name offers: sires, two letters (the breeding file read once before)", "BM_SireNameOffers/two_letters", None, "ms", 10),
    ("Breeding file's names read (the first sire offer)", "BM_BreedingNamesRead", None, None, None),
    ("Start-up to a shown window", "BM_StartupToShownWindow", "BM_StartupStoreOpenReference", "ms", 500),
    ("Memory of the window with 15,000 rows listed", "BM_WindowMemoryWith15000Rows", None, "MB", 150),
    # Here the reference is the listing itself: the marks may add at most 5% to it.
    ("Bold marks of watched horses and stables, all 15,000 rows (beside the listing)", "BM_WatchMarksOnLargestOwnerListing", "BM_LargestOwnerSearch", "ratio", 0.05),
    ("Watch list of 500 horses read", "BM_WatchListRead500Horses", None, None, None),
    ("Watch list window with 500 horses opened", "BM_WatchListWindowWith500Horses", None, "ms", 100),
]

TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def medians(paths):
    """Median wall time (ms) and counters of every benchmark, by name."""
    found = {}
    for path in paths:
        with open(path) as f:
            text = f.read()
        # A filter that matches none of a program's benchmarks leaves its file empty.
        if not text.strip():
            continue
        for b in json.loads(text)["benchmarks"]:
            if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
                continue
            # "/iterations:10", "/min_time:3.000" and "/manual_time" describe how a benchmark ran, not what.
            name = re.sub(r"/(iterations:\d+|min_time:[\d.]+|manual_time|real_time)", "", b.get("run_name", b["name"]))
            # A single run has no aggregate; an aggregate replaces the single runs.
            if b.get("run_type") == "iteration" and name in found and found[name]["aggregate"]:
                continue
            found[name] = {
                "ms": b["real_time"] * TO_MS[b.get("time_unit", "ns")],
                "rss_MB": b.get("rss_MB"),
                "aggregate": b.get("run_type") == "aggregate",
            }
    return found


def figure(ms):
    if ms >= 1000:
        return f"{ms / 1000:.2f} s"
    if ms >= 10:
        return f"{ms:.0f} ms"
    return f"{ms:.2f} ms"


def row(found, label, ours, reference, kind, goal):
    mine = found.get(ours)
    ref = found.get(reference) if reference else None
    if mine is None:
        return f"| {label} | not run | | | |"
    if kind == "MB":
        value = mine["rss_MB"] or 0
        met = "yes" if value <= goal else "**no**"
        return f"| {label} | {value:.0f} MB | — | — | < {goal} MB: {met} |"
    ratio = mine["ms"] / ref["ms"] if ref else None
    ratio_text = f"{ratio:.2f}x" if ratio else "—"
    if kind == "ratio":
        goal_text = f"≤ {goal}x: " + ("yes" if ratio is not None and ratio <= goal else "**no**")
    elif kind == "ms":
        goal_text = f"< {figure(goal)}: " + ("yes" if mine["ms"] < goal else "**no**")
    else:
        goal_text = "—"
    ref_text = figure(ref["ms"]) if ref else "—"
    return f"| {label} | {figure(mine['ms'])} | {ref_text} | {ratio_text} | {goal_text} |"


# The decade table's names of measures that name the 600-week store.
DECADE_LABELS = {
    "Import one week into the 600-week store": "Import one week into the store",
    "Week list of the 600-week store": "Week list",
    "Compaction of the 600-week store": "Compaction",
    "Results folder of 600 stored weeks, first check": "Results folder of all stored weeks, first check",
    "Results folder of 600 stored weeks, later check": "Results folder of all stored weeks, later check",
    # The sire with the most offspring, whose count grows with the seasons (9,169 at 3,650 weeks).
    "Progeny of a sire with 2,000 offspring": "Progeny of the sire with the most offspring",
    "Crosses: a sire with 2,000 offspring, by dam-sire": "Crosses: the sire with the most offspring, by dam-sire",
}


# Goals of their own on the decade store: the finder's ratio is tighter; the week list,
# six times as long, has 50 ms.
DECADE_GOALS = {("BM_FindActiveDirtFast", "ratio"): 1.3, ("BM_ListWeeksOf600WeekStore", "ms"): 50}


def decade_table(found600, found3650):
    print("| Measure | 600 weeks | 3,650 weeks | SQLite only | Ratio | Growth | Goal |")
    print("|---|---:|---:|---:|---:|---:|---|")
    for label, ours, reference, kind, goal in ROWS:
        if ours not in found3650:
            continue
        goal = DECADE_GOALS.get((ours, kind), goal)
        cells = row(found3650, DECADE_LABELS.get(label, label), ours, reference, kind, goal).split(" | ")
        before = found600.get(ours)
        if kind == "MB":
            grown = (found3650[ours]["rss_MB"] or 0) / before["rss_MB"] if before and before["rss_MB"] else None
            then = f"{before['rss_MB']:.0f} MB" if before and before["rss_MB"] else "not run"
        else:
            grown = found3650[ours]["ms"] / before["ms"] if before else None
            then = figure(before["ms"]) if before else "not run"
        growth = f"{grown:.2f}x" if grown else "—"
        print(" | ".join([cells[0], then] + cells[1:4] + [growth] + cells[4:]))


def main():
    args = sys.argv[1:]
    if args[:1] == ["--decade"]:
        split = args.index("--")
        decade_table(medians(args[1:split]), medians(args[split + 1:]))
        return
    found = medians(args)
    print("| Measure | Harrowdex | SQLite only | Ratio | Goal |")
    print("|---|---:|---:|---:|---|")
    for entry in ROWS:
        print(row(found, *entry))


if __name__ == "__main__":
    main()
