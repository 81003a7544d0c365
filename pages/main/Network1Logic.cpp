#include "pages/main/Network1Logic.h"

#include <filesystem>

#include "core/NumberForms.h"

namespace mnemex::pages {

std::string PathInFolder(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    if (folder.back() == '/' || folder.back() == '\\')
        return folder + name;
    return folder + "/" + name;
}

bool IsStreamNotFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);  // through links
    return !ec && fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status);
}

FileChoice LoadChosenFile(PublicStuff& state, const std::string& folder, const std::string& name) {
    const std::string path = PathInFolder(folder, name);
    if (IsStreamNotFile(path)) {
        FileChoice choice;
        choice.Message = "The training file \"" + name +
                         "\" cannot be opened: it is a pipe, device or socket, not a file.";
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
