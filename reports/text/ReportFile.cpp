#include "reports/text/ReportFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <system_error>

#include "core/output/ResultFile.h"

namespace mnemex::report {

namespace {

std::string Reason(int error) {
    if (error == EEXIST)
        return "A file or directory of that name already exists.";
    std::string text = std::generic_category().message(error);
    return text + ".";
}

[[noreturn]] void FailWrite(const std::string& path, int error) {
    throw FileOperationError("The report could not be saved to:\r" + path + "\r" + Reason(error) +
                             "\rAny file already there was left unchanged.");
}

}  // namespace

std::string ReportNameFromAnswer(const std::string& answer) {
    const std::string suffix = ".txt";
    if (answer.size() >= suffix.size() &&
        answer.compare(answer.size() - suffix.size(), suffix.size(), suffix) == 0)
        return answer;
    return answer + suffix;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

void WriteFileWhole(const std::string& path, const std::string& bytes) {
    // A name chosen on the page only ever names a file: renaming over a device, pipe or
    // folder would destroy it, and writing into one is not what saving a report means.
    output::WriteOptions filesOnly;
    filesOnly.FilesOnly = true;
    const auto failed = output::WriteWhole(path, bytes, filesOnly);
    if (!failed)
        return;
    if (failed->Kind != output::FailureKind::kSystem)
        throw FileOperationError("The report could not be saved to:\r" + path +
                                 "\rThat name belongs to a directory or device, not a file.");
    FailWrite(path, failed->Error);
}

void CreateFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0) {
        throw FileOperationError("The directory could not be created:\r" + path + "\r" +
                                 Reason(errno));
    }
}

}  // namespace mnemex::report
