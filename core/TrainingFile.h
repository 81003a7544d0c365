#pragma once
// Reading a training file (*.net) into the pattern store.

#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "core/PublicStuff.h"

namespace mnemex {

struct TrainingFileError {
    // Run-time error number: 53 cannot open, 62 ends early, 13 not a number, 6 out of range,
    // 18 stopped by the caller's progress callback.
    int Number = 0;
    std::string Message;  // one sentence naming the file, the problem and where it is
};

// Told how far a read has come: the bytes scanned so far and the file's size (-1 when
// unknown). Called once the counts are read, then after every kValuesPerProgressCall values,
// and last, with every value read and the store not yet changed, with bytesRead equal to
// the size (when known). Returning false stops the read: it fails with error 18 and the
// state stays as it was.
using ReadProgress = std::function<bool(long long bytesRead, long long size)>;
inline constexpr long long kValuesPerProgressCall = 4096;

// Reads the counts and both pattern arrays from the file at `path`.
// On success replaces NumOutputs, SpareCount, NumInputs, NumPatterns, InputPatterns and
// DesiredOutputs and returns nothing; on failure returns the reason and leaves the state
// exactly as it was. Never touches the network, parameters, training record or names.
std::optional<TrainingFileError> ReadTrainingFile(PublicStuff& state, const std::string& path,
                                                  const ReadProgress& progress = {});

// The same from an open stream; `name` is the file name used in messages and `size` its
// length in bytes, or -1 when unknown. The stream is read through a buffer of
// `bufferBytes`; only tests that cut values at the buffer's edges choose it.
std::optional<TrainingFileError> ReadTrainingStream(PublicStuff& state, std::FILE* file,
                                                    const std::string& name, long long size,
                                                    std::size_t bufferBytes = std::size_t{1} << 16,
                                                    const ReadProgress& progress = {});

}  // namespace mnemex
