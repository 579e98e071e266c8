// SPDX-License-Identifier: MIT
// A prepared SQL statement of the race store, with its values bound as parameters.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sqlite3_stmt;

namespace store {

// How often a statement runs. Repeated statements (the rows of an import, the lookups
// of a listing) are prepared as persistent, so the engine keeps them out of the memory
// it reserves for short-lived ones.
enum class Reuse { Once, Repeated };

// One prepared SQL statement of a Database. It must not outlive its Database. Values
// always come in as parameters, never as SQL text.
class Statement {
public:
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    // Parameters count from 1, in the order of the ?s of the SQL text (or their ?N).
    Statement& bind(int index, std::nullptr_t);
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, double value);
    Statement& bind(int index, std::string_view value);
    template <std::integral T>
    Statement& bind(int index, T value) {
        return bind(index, static_cast<std::int64_t>(value));
    }
    // Named parameters, spelled as in the SQL text with their prefix (":week").
    template <typename T>
    Statement& bind(std::string_view name, T&& value) {
        return bind(parameterIndex(name), std::forward<T>(value));
    }
    int parameterIndex(std::string_view name) const;
    void clearBindings();

    // Runs the statement on to its next row: true when a row is there to read, false
    // when the statement has finished.
    bool step();
    // Makes the statement ready to run again from the start; the bindings stay.
    void reset();

    // Columns count from 0, in the order of the select list. A NULL reads as 0 or "".
    int columnCount() const { return static_cast<int>(columnNames_.size()); }
    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;
    // The same without a copy, valid until the next step or reset.
    std::string_view textView(int column) const;

    // The same by the field's name, matched without regard to letter case as SQL does;
    // asking for a name that the statement does not return is a programming error.
    int columnIndex(std::string_view name) const;
    // How many values the statement takes; the last one has this index.
    int parameterCount() const;
    bool isNull(std::string_view name) const { return isNull(columnIndex(name)); }
    std::int64_t integer(std::string_view name) const { return integer(columnIndex(name)); }
    double real(std::string_view name) const { return real(columnIndex(name)); }
    std::string text(std::string_view name) const { return text(columnIndex(name)); }

    std::string_view sql() const;

private:
    friend class Database;
    explicit Statement(sqlite3_stmt* statement);
    [[noreturn]] void fail(int rc, std::string_view action) const;
    void checkBind(int rc) const;

    sqlite3_stmt* statement_ = nullptr;
    // Read once when the statement is prepared, so that reading fields by name costs no
    // engine call per row.
    std::vector<std::string> columnNames_;
};

}  // namespace store
