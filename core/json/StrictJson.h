#pragma once
// A small strict JSON reader for files the program wrote itself (RFC 8259): one value,
// no comments, no trailing commas, no repeated member names, nesting at most 64 deep.
// Numbers keep their text, so a whole number reads back exactly and a decimal one is
// converted once, correctly rounded.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mnemex::json {

struct Value {
    enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
    Kind Type = Kind::kNull;
    bool Bool = false;
    std::string Text;  // a string's contents, or a number's text as written
    std::vector<Value> Items;
    std::map<std::string, Value> Members;

    // The member, or nullptr when there is none (or this is not an object).
    const Value* Find(const std::string& name) const;
};

struct ParseProblem {
    std::string What;  // e.g. "expected ',' or '}'"
    int Line = 1;      // where, from 1
};

// Parses all of `text`; on failure returns nothing and sets `problem`.
std::optional<Value> Parse(const std::string& text, ParseProblem& problem);

// A number's value: nothing when the text does not give a finite double (too large).
std::optional<double> ToDouble(const Value& number);
// A number that is a whole number written without point or exponent, in range.
std::optional<std::int64_t> ToInt64(const Value& number);
std::optional<std::uint64_t> ToUInt64(const Value& number);

}  // namespace mnemex::json
