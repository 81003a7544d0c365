#pragma once
// Pieces of JSON text as the program writes them.

#include <cstddef>
#include <string>

#include "core/PublicStuff.h"

namespace mnemex::json {

// The shortest text that reads back as the same double.
void AppendNumber(std::string& out, double value);
// A JSON string with the needed escapes; valid UTF-8 as it is. JSON text must be UTF-8,
// so each byte that is not part of a valid UTF-8 sequence (a file name in another encoding,
// say) becomes U+FFFD, the replacement character.
void AppendString(std::string& out, const std::string& text);

// Room enough for a network's weights and SSE history as the result and the saved network
// write them (each weight with its separator, each row's brackets and indent, each history
// row) and its file name twice; the members around them are the caller's to add.
std::size_t NetworkTextRoom(const PublicStuff& s);

}  // namespace mnemex::json
