#pragma once
// Pieces of JSON text as the program writes them.

#include <string>

namespace mnemex::json {

// The shortest text that reads back as the same double.
void AppendNumber(std::string& out, double value);
// A JSON string with the needed escapes; valid UTF-8 as it is. JSON text must be UTF-8,
// so each byte that is not part of a valid UTF-8 sequence (a file name in another encoding,
// say) becomes U+FFFD, the replacement character.
void AppendString(std::string& out, const std::string& text);

}  // namespace mnemex::json
