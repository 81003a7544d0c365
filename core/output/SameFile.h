#pragma once
// Whether a result would land on a file the same run reads or writes. Every front end asks
// this before it trains, so that a result never destroys the run's own input or another
// of its results.

#include <string>

namespace mnemex::output {

// What the other name is to the run.
enum class OtherName {
    kInput,   // read by the run (the training file)
    kOutput,  // another result of the same run
};

// True when a result written to `output` would replace or write into the file `other`
// names:
// - two existing regular files (links followed) with the same device and inode;
// - two names not yet taken with the same path after weakly_canonical (links followed);
// - a FIFO only when `other` is an input and the very same FIFO: its data would be lost.
// Devices, sockets, folders and "-" never count (unless `namesOnly`, where "-" is just a
// name); neither does a name that cannot be looked at, whose write fails on its own.
bool SameFile(const std::string& output, const std::string& other, OtherName role,
              bool namesOnly = false);

}  // namespace mnemex::output
