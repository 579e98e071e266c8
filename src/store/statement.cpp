// SPDX-License-Identifier: MIT
#include "store/statement.h"

#include "store/sqlite_error.h"
#include "store/text_compare.h"
#include <algorithm>
#include <stdexcept>

namespace store {

Statement::Statement(sqlite3_stmt* statement) : statement_(statement) {
    const int count = sqlite3_column_count(statement_);
    columnNames_.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const char* name = sqlite3_column_name(statement_, i);
        columnNames_.emplace_back(name ? name : "");
    }
}

Statement::Statement(Statement&& other) noexcept
    : statement_(std::exchange(other.statement_, nullptr)),
      columnNames_(std::move(other.columnNames_)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(statement_);
        statement_ = std::exchange(other.statement_, nullptr);
        columnNames_ = std::move(other.columnNames_);
    }
    return *this;
}

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

void Statement::fail(int rc, std::string_view action) const {
    throwSqliteError(sqlite3_db_handle(statement_), rc, action);
}

void Statement::checkBind(int rc) const {
    if (rc != SQLITE_OK)
        fail(rc, "use");
}

Statement& Statement::bind(int index, std::nullptr_t) {
    checkBind(sqlite3_bind_null(statement_, index));
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value) {
    checkBind(sqlite3_bind_int64(statement_, index, value));
    return *this;
}

Statement& Statement::bind(int index, double value) {
    checkBind(sqlite3_bind_double(statement_, index, value));
    return *this;
}

Statement& Statement::bind(int index, std::string_view value) {
    checkBind(sqlite3_bind_text64(statement_, index, value.data(), value.size(),
                                  SQLITE_TRANSIENT, SQLITE_UTF8));
    return *this;
}

int Statement::parameterIndex(std::string_view name) const {
    const int index = sqlite3_bind_parameter_index(statement_, std::string(name).c_str());
    if (index == 0)
        throw std::logic_error("The statement \"" + std::string(sql()) + "\" has no parameter " +
                               std::string(name) + ".");
    return index;
}

void Statement::clearBindings() {
    sqlite3_clear_bindings(statement_);
}

bool Statement::step() {
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(rc, sqlite3_stmt_readonly(statement_) ? "read" : "write to");
}

void Statement::reset() {
    // The result repeats the failure that step() has already reported.
    sqlite3_reset(statement_);
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::string Statement::text(int column) const { return std::string(textView(column)); }

std::string_view Statement::textView(int column) const {
    const auto* chars = sqlite3_column_text(statement_, column);
    const int bytes = sqlite3_column_bytes(statement_, column);
    if (!chars)
        return {};
    return {reinterpret_cast<const char*>(chars), static_cast<std::size_t>(bytes)};
}

int Statement::columnIndex(std::string_view name) const {
    const auto found = std::ranges::find_if(columnNames_, [name](const std::string& column) {
        return equalsIgnoringCase(column, name);
    });
    if (found == columnNames_.end())
        throw std::logic_error("The statement \"" + std::string(sql()) + "\" returns no field " +
                               std::string(name) + ".");
    return static_cast<int>(found - columnNames_.begin());
}

std::string_view Statement::sql() const {
    const char* text = sqlite3_sql(statement_);
    return text ? std::string_view(text) : std::string_view();
}

int Statement::parameterCount() const { return sqlite3_bind_parameter_count(statement_); }

}  // namespace store
