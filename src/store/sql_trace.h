// SPDX-License-Identifier: MIT
// An opt-in log of every statement the program runs, with its time, for bug reports and
// benchmarks. HARROWDEX_SQL_TRACE names the file it is appended to ("-" for standard
// error); unset or empty, no connection gets a trace callback, so it costs nothing.
#pragma once

struct sqlite3;

namespace store {

// Has a new connection write one line per statement it runs, when the trace is on.
void traceSqlIfAsked(sqlite3* db);

}  // namespace store
