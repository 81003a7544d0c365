#include "pages/inside/SaveFile.h"

#include <QFile>

#include "core/output/ResultFile.h"

namespace mnemex::inside {

FileChooser SaveDialogFor(Dialogs& dialogs) {
    return [&dialogs](const QString& caption, const QString& suggested, const QString& filter) {
        return dialogs.SaveFileName(caption, suggested, filter);
    };
}

QString SaveWhole(const QString& path, const std::string& bytes, const QString& what) {
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
