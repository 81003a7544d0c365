#pragma once
// Training files of many megabytes for the tests of large-file reading, written as a stream
// so the test never holds the text in memory.

#include <filesystem>
#include <string>

namespace mnemex::testsupport {

// Writes a training file of `inputs` inputs, `outputs` outputs and `patterns` patterns to
// `path`. Its values vary in form (fractions with up to 17 digits, whole numbers, exponents,
// both signs) and in separators (blanks, commas, line ends); the same arguments always give
// the same bytes. `lastValue`, when not empty, is written instead of the file's last value,
// e.g. a word to make the reader refuse the file near its end. Returns the size in bytes.
long long WriteLargeTrainingFile(const std::filesystem::path& path, int inputs, int outputs,
                                 int patterns, const std::string& lastValue = {});

}  // namespace mnemex::testsupport
