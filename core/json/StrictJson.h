#pragma once
// A small strict JSON reader for files the program wrote itself (RFC 8259): one value,
// no comments, no trailing commas, no repeated member names, nesting at most 64 deep.
// Numbers keep their text, so a whole number reads back exactly and a decimal one is
// converted once, correctly rounded.
//
// Two ways in: Parse builds the whole document as a tree, for small texts; ParseStream reads
// from a byte source piece by piece and hands each value to a handler as it is read, so a
// large file is checked and taken in with memory for what the handler keeps and little more.

#include <cstddef>
#include <cstdint>
#include <limits>
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

// Where ParseStream takes its bytes from.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Puts up to `most` bytes at `to`; returns how many, 0 at the end. Returns -1 when the
    // bytes cannot be read, with the errno value in `error` (EINTR also ends the reading:
    // the source's owner was asked to stop).
    virtual long long Read(char* to, std::size_t most, int& error) = 0;
};

// What ParseStream reports, value by value, in the order of the text. `depth` counts the
// lists and objects around a value (the document itself is at 0).
class Events {
  public:
    virtual ~Events() = default;
    virtual void BeginObject(int /*depth*/) {}
    // The name of the member whose value comes next.
    virtual void MemberName(const std::string& /*name*/, int /*depth*/) {}
    virtual void EndObject(int /*depth*/) {}
    virtual void BeginArray(int /*depth*/) {}
    virtual void EndArray(int /*depth*/) {}
    // null, true, false, a number (its text) or a string (its contents).
    virtual void Scalar(Value&& /*value*/, int /*depth*/) {}
    // True once the handler has all it wants: the reading stops there.
    virtual bool Done() const { return false; }
};

// Bounds on what one value may take while it is read.
struct StreamLimits {
    // The longest string or number text, in bytes.
    std::size_t TextBytes = std::numeric_limits<std::size_t>::max();
    // The member names kept at once to find a repeated one, in bytes, counting a small
    // overhead per name.
    std::size_t NameBytes = std::numeric_limits<std::size_t>::max();
};

enum class StreamResult {
    kParsed,      // one whole valid document
    kStopped,     // the handler was Done before the end
    kDamaged,     // not valid JSON: `problem` says why and where
    kUnreadable,  // the source failed: `error` is the errno value
};

StreamResult ParseStream(ByteSource& source, Events& events, ParseProblem& problem, int& error,
                         const StreamLimits& limits = {});

// A number's value: nothing when the text does not give a finite double (too large).
std::optional<double> ToDouble(const Value& number);
// A number that is a whole number written without point or exponent, in range.
std::optional<std::int64_t> ToInt64(const Value& number);
std::optional<std::uint64_t> ToUInt64(const Value& number);

}  // namespace mnemex::json
