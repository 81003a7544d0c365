#pragma once
// Pieces of JSON text as the program writes them.

#include <string>

namespace mnemex::json {

// The shortest text that reads back as the same double.
void AppendNumber(std::string& out, double value);
// A JSON string with the needed escapes; other bytes (UTF-8 included) as they are.
void AppendString(std::string& out, const std::string& text);

}  // namespace mnemex::json
