#include "pages/main/Network1Logic.h"

#include "core/NumberForms.h"

namespace mnemex::pages {

std::string PathInFolder(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    if (folder.back() == '/' || folder.back() == '\\')
        return folder + name;
    return folder + "/" + name;
}

FileChoice LoadChosenFile(PublicStuff& state, const std::string& folder, const std::string& name) {
    const std::string path = PathInFolder(folder, name);
    if (IsStreamNotFile(path)) {
        FileChoice choice;
        choice.Message =
            "The training file \"" + name + "\" cannot be opened: " + kStreamNotFileReason + ".";
        return choice;
    }
    return ChoiceAfterRead(state, ReadTrainingFile(state, path), folder, name);
}

FileChoice ChoiceAfterRead(PublicStuff& state, const std::optional<TrainingFileError>& error,
                           const std::string& folder, const std::string& name) {
    FileChoice choice;
    if (error) {
        choice.Message = error->Message;
        return choice;
    }
    state.TrainingFileName = name;
    state.TrainingFilePath = PathInFolder(folder, name);
    choice.Loaded = true;
    choice.Boxes = {name, FormatWhole(state.NumOutputs), FormatWhole(state.NumInputs),
                    FormatWhole(state.NumPatterns)};
    return choice;
}

}  // namespace mnemex::pages
