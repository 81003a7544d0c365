#pragma once
// Saving the setup page's network and opening a saved one: what the page shows and does,
// apart from its controls.

#include <QLocale>
#include <array>
#include <optional>
#include <string>

#include "core/PublicStuff.h"
#include "core/TrainingSession.h"
#include "pages/main/DistMemLogic.h"

namespace mnemex::pages {

// The file dialogs' captions and the files they show.
inline constexpr const char* kSaveNetworkCaption = "Save Network";
inline constexpr const char* kOpenNetworkCaption = "Open Saved Network";
inline constexpr const char* kSavedNetworkFilter = "Saved networks (*.json);;All files (*)";

// What the setup page shows for a network: the entries as its last run was set up, and the
// four panels as that run's final display left them.
struct SetupView {
    bool Delta = false;
    bool EpochTest = true;
    bool ErrorTest = false;
    std::string Epochs;
    std::string PrintEpochs;
    std::string LearningRate;
    std::string MinError;
    OrderEntries Order;
    // Training file, epochs, total SSE, change in SSE (empty: a blank panel).
    std::array<std::string, 4> Panels;
    PanelColour TotalColour = PanelColour::kRed;
};
SetupView ViewOfNetwork(const PublicStuff& state, const RunMemory& run, const QLocale& locale);

// The text of a number in a box, in `locale`'s convention, that the box reads back as the
// very same double: the shortest such text.
std::string BoxTextForNumber(double value, const QLocale& locale);

// The name the save dialog proposes in `folder`: the training file's name without its
// extension, the epochs trained and ".json" ("letters-50.json").
std::string SuggestedStateName(const PublicStuff& state, const std::string& folder);

struct OpenedNetwork {
    bool Opened = false;
    std::string Message;  // on refusal: what to tell the user
};

// Opens the saved network at `statePath` on the training file read now (the one the
// introductory page loaded) and, only if it is accepted whole, puts it in place of the
// session's network as after a finished run. A refusal leaves everything exactly as it was;
// the message then ends with what to do: choose the file the network was trained on, or,
// when the chosen file has that name, that the file has changed since the network was
// saved; a training file chosen as a saved network is named as one.
OpenedNetwork OpenSavedNetwork(TrainingSession& session, const std::string& statePath);

}  // namespace mnemex::pages
