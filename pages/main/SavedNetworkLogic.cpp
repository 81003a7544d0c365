#include "pages/main/SavedNetworkLogic.h"

#include <QString>
#include <filesystem>

#include "core/NumberForms.h"
#include "core/ParameterCheck.h"
#include "core/RunTimeError.h"
#include "core/TrainingFile.h"
#include "pages/main/BoxNumbers.h"
#include "pages/main/Network1Logic.h"

namespace mnemex::pages {

std::string BoxTextForNumber(double value, const QLocale& locale) {
    const std::string plain = RoundTripText(value);
    QString local = QString::fromStdString(plain);
    local.replace(QLatin1Char('.'), locale.decimalPoint());
    // The user's own decimal sign where the box reads it back exactly; the boxes also take
    // a point, which is kept where a locale would read the text otherwise.
    try {
        if (ReadBoxNumber(locale, local.toStdString()) == value)
            return local.toStdString();
    } catch (const RunTimeException&) {
    }
    return plain;
}

SetupView ViewOfNetwork(const PublicStuff& state, const RunMemory& run, const QLocale& locale) {
    const NetworkSettings settings = SettingsOf(state, run);
    SetupView view;
    view.Delta = settings.Rule == "Delta";
    view.EpochTest = settings.Entries.EpochTest;
    view.ErrorTest = settings.Entries.ErrorTest;
    // A run ended by the error test alone may have had no number in its epochs box.
    view.Epochs = run.RunEpochs > 0 ? settings.Entries.Epochs : kInitialEpochs;
    view.PrintEpochs = settings.Entries.PrintEpochs;
    view.LearningRate = BoxTextForNumber(state.LearningRate, locale);
    view.MinError = BoxTextForNumber(state.MinError, locale);
    view.Order = EntriesForOrder(settings.Order);
    view.Panels = {"Training: " + state.TrainingFileName, EpochsLine(state.EpochCount),
                   TotalSSELine(state.TotalSSE),
                   run.LastChange ? ChangeInSSELine(*run.LastChange) : std::string()};
    view.TotalColour = state.TotalSSE >= state.MinError ? PanelColour::kRed : PanelColour::kGreen;
    return view;
}

std::string SuggestedStateName(const PublicStuff& state, const std::string& folder) {
    std::string stem = std::filesystem::path(state.TrainingFileName).stem().string();
    if (stem.empty())
        stem = "network";
    const std::string name = stem + "-" + std::to_string(state.EpochCount) + ".json";
    return folder.empty() ? name : (std::filesystem::path(folder) / name).string();
}

namespace {

// The page's own sentence after a refusal of the saved network, in the student's terms.
std::string WhatToDo(const LoadedNetwork& loaded, const PublicStuff& state,
                     const std::string& statePath) {
    if (loaded.WrongTrainingFile) {
        std::error_code error;
        if (loaded.TrainingName == state.TrainingFileName &&
            std::filesystem::is_regular_file(state.TrainingFilePath, error))
            return "\r\rThe training file \"" + state.TrainingFileName +
                   "\" has changed since this network was saved, so its weights do not belong "
                   "to the file as it is now. Train a new network on it, or open the network "
                   "with the training file as it was when the network was saved.";
        return "\r\rThe network was trained on \"" + loaded.TrainingName +
               "\": choose that training file on the introductory page, then open the saved "
               "network again.";
    }
    // A training file chosen here by mistake reads as one.
    PublicStuff scratch;
    if (!loaded.Interrupted && !ReadTrainingFile(scratch, statePath))
        return "\r\r\"" + std::filesystem::path(statePath).filename().string() +
               "\" is a training file, not a saved network: choose it in the file list of the "
               "introductory page to train a network on it.";
    return {};
}

}  // namespace

OpenedNetwork OpenSavedNetwork(TrainingSession& session, const std::string& statePath) {
    OpenedNetwork opened;
    const PublicStuff& state = session.State();
    const bool stateIsStream = IsStreamNotFile(statePath);
    if (stateIsStream || IsStreamNotFile(state.TrainingFilePath)) {
        opened.Message = (stateIsStream ? "The saved network \"" + statePath + "\""
                                        : "The training file \"" + state.TrainingFilePath +
                                              "\" of \"" + statePath + "\"") +
                         " cannot be read: " + kStreamNotFileReason + ".";
        return opened;
    }
    const LoadedNetwork loaded = session.Open(statePath, state.TrainingFilePath);
    if (!loaded.Network) {
        opened.Message = loaded.Message + WhatToDo(loaded, state, statePath);
        return opened;
    }
    opened.Opened = true;
    return opened;
}

}  // namespace mnemex::pages
