#pragma once
// Loading the training file the user double-clicked on the introductory page.

#include <array>
#include <optional>
#include <string>

#include "core/PublicStuff.h"
#include "core/TrainingFile.h"
#include "core/output/OutputTarget.h"

namespace mnemex::pages {

struct FileChoice {
    bool Loaded = false;
    // On failure: the reader's message naming the file, the problem and where it is.
    std::string Message;
    // On success: file name, output units, input units, patterns (the four boxes, top down).
    std::array<std::string, 4> Boxes;
};

// Reads `folder`/`name` into the pattern store. On success sets TrainingFileName to `name`;
// on failure the state, the file name included, stays exactly as it was.
FileChoice LoadChosenFile(PublicStuff& state, const std::string& folder, const std::string& name);

// What the page shows after reading `folder`/`name`: on failure (`error`) the reader's
// message, state untouched; on success, with the pattern store already replaced, sets
// TrainingFileName and TrainingFilePath and gives the four boxes.
FileChoice ChoiceAfterRead(PublicStuff& state, const std::optional<TrainingFileError>& error,
                           const std::string& folder, const std::string& name);

// Whether `path` is a pipe, a device or a socket rather than a stored file, and why such a
// name is refused: the core's one check. Reading one would wait for a writer or never end,
// with the window frozen, so the pages refuse it before opening it (the batch command still
// reads pipes as training files).
using output::IsStreamNotFile;
using output::kStreamNotFileReason;

// Full path of a file shown in a folder's file list.
std::string PathInFolder(const std::string& folder, const std::string& name);

}  // namespace mnemex::pages
