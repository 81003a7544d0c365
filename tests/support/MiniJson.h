#pragma once
// A tiny JSON reader for tests that check a program's JSON output independently of the
// code that wrote it. Numbers are read with from_chars, so a shortest round-trip text gives
// back the very double.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mnemex::testsupport {

struct JsonValue {
    enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject } Type = Kind::kNull;
    bool Bool = false;
    double Number = 0.0;
    std::string Text;
    std::vector<JsonValue> Items;
    std::map<std::string, JsonValue> Members;

    // The member `key` of an object; throws std::out_of_range when missing.
    const JsonValue& operator[](const std::string& key) const { return Members.at(key); }
    const JsonValue& operator[](std::size_t index) const { return Items.at(index); }
};

// The value `text` holds, or nothing when it is not exactly one JSON value (surrounding
// white space allowed). `problem` then says where it went wrong.
std::optional<JsonValue> ParseJson(const std::string& text, std::string* problem = nullptr);

}  // namespace mnemex::testsupport
