#include "pages/inside/SaveFile.h"

#include <QFile>

#include "core/output/ResultFile.h"
#include "core/output/SameFile.h"

namespace mnemex::inside {

FileChooser SaveDialogFor(Dialogs& dialogs) {
    return [&dialogs](const QString& caption, const QString& suggested, const QString& filter) {
        return dialogs.SaveFileName(caption, suggested, filter);
    };
}

QString SaveWhole(const QString& path, const std::string& bytes, const QString& what,
                  const std::string& trainingFile) {
    if (!trainingFile.empty() && output::SameFile(QFile::encodeName(path).toStdString(),
                                                  trainingFile, output::OtherName::kInput, true))
        return what + QStringLiteral(" could not be saved to:\r") + path +
               QStringLiteral("\rIt is the training file ") +
               QFile::decodeName(trainingFile.c_str()) +
               QStringLiteral(". Please choose another name.");
    output::WriteOptions filesOnly;
    filesOnly.FilesOnly = true;
    const auto failed = output::WriteWhole(QFile::encodeName(path).toStdString(), bytes, filesOnly);
    if (!failed)
        return {};
    const QString why =
        failed->Kind == output::FailureKind::kSystem
            ? QString::fromStdString(failed->Reason())
            : QStringLiteral("That name belongs to a directory or device, not a file");
    return what + QStringLiteral(" could not be saved to:\r") + path + QLatin1Char('\r') + why +
           '.';
}

}  // namespace mnemex::inside
