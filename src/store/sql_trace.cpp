// SPDX-License-Identifier: MIT
#include "store/sql_trace.h"

#include "store/sqlite_error.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace store {

namespace {

// The trace's descriptor, or -1 when it is off. The variable is read once per process;
// a file that cannot be opened leaves the trace off, said once on standard error.
int traceDescriptor() {
    static const int descriptor = [] {
        const char* target = std::getenv("HARROWDEX_SQL_TRACE");
        if (!target || !*target) return -1;
        if (std::string_view(target) == "-") return STDERR_FILENO;
        const int opened = ::open(target, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        if (opened < 0) {
            const std::string reason = std::strerror(errno);
            const std::string message =
                "The SQL trace file " + quoted(target) + " cannot be opened (" + reason + "); running without it.\n";
            std::fputs(message.c_str(), stderr);
        }
        return opened;
    }();
    return descriptor;
}

// Each line in one piece: connections on several threads trace at once.
void writeLine(int descriptor, const std::string& line) {
    static std::mutex mutex;
    const std::lock_guard lock(mutex);
    std::size_t written = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(descriptor, line.data() + written, line.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        written += static_cast<std::size_t>(n);
    }
}

// "   0.412 ms  SELECT ...": the statement's time and its text with the bound values,
// on one line.
std::string traceLine(sqlite3_stmt* statement, sqlite3_int64 nanoseconds) {
    char time[32];
    std::snprintf(time, sizeof time, "%8.3f ms  ", static_cast<double>(nanoseconds) / 1e6);
    char* expanded = sqlite3_expanded_sql(statement);
    const char* text = expanded ? expanded : sqlite3_sql(statement);
    std::string line = std::string(time) + (text ? text : "");
    sqlite3_free(expanded);
    std::ranges::replace(line, '\n', ' ');
    std::ranges::replace(line, '\r', ' ');
    return line + '\n';
}

// SQLite's own figure for a statement's time counts whole milliseconds (its clock's
// step), so the trace times statements itself, from their start to their end. A
// connection runs on one thread, so each thread keeps the starts of its own statements.
using Clock = std::chrono::steady_clock;
thread_local std::unordered_map<void*, Clock::time_point> started;

int onTrace(unsigned type, void*, void* statement, void* detail) {
    if (type == SQLITE_TRACE_STMT) {
        started.try_emplace(statement, Clock::now());  // a trigger's start leaves its statement's
        return 0;
    }
    auto nanoseconds = *static_cast<sqlite3_int64*>(detail);
    if (const auto start = started.find(statement); start != started.end()) {
        nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start->second).count();
        started.erase(start);
    }
    writeLine(traceDescriptor(), traceLine(static_cast<sqlite3_stmt*>(statement), nanoseconds));
    return 0;
}

}  // namespace

void traceSqlIfAsked(sqlite3* db) {
    if (traceDescriptor() >= 0) sqlite3_trace_v2(db, SQLITE_TRACE_STMT | SQLITE_TRACE_PROFILE, onTrace, nullptr);
}

}  // namespace store
