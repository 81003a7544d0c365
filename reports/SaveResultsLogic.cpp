#include "reports/SaveResultsLogic.h"

#include <QDir>
#include <QFileInfo>

#include "core/RunTimeError.h"
#include "reports/text/ReportFile.h"

namespace mnemex::pages {

QString SaveResultsLogic::ChooseListedFile(const QString& folder, const QString& name) {
    state_.ReportFileName = report::JoinPath(folder.toStdString(), name.toStdString());
    return name;
}

std::optional<QString> SaveResultsLogic::NameNewFile(const QString& folder) {
    const QString answer = dialogs_.InputBox(QStringLiteral("Enter name of file to save:"),
                                             QStringLiteral("Name File"));
    state_.ReportFileName = answer.toStdString();
    if (answer.isEmpty())
        return std::nullopt;
    const std::string name = report::ReportNameFromAnswer(answer.toStdString());
    state_.ReportFileName = report::JoinPath(folder.toStdString(), name);
    return QString::fromStdString(name);
}

std::optional<QString> SaveResultsLogic::CreateDirectory(const QString& folder) {
    const QString answer = dialogs_.InputBox(QStringLiteral("Enter name of directory:"),
                                             QStringLiteral("Create Directory"));
    if (answer.isEmpty())
        return std::nullopt;
    const std::string path = report::JoinPath(folder.toStdString(), answer.toStdString());
    try {
        report::CreateFolder(path);
    } catch (const report::FileOperationError& e) {
        dialogs_.MsgBox(QString::fromStdString(e.what()));
        return std::nullopt;
    }
    const QString created = QDir::cleanPath(QString::fromStdString(path));
    QDir::setCurrent(created);
    return created;
}

SaveOutcome SaveResultsLogic::Save(const report::SectionSet& sections,
                                   const report::AnalysisTime& when) {
    if (state_.ReportFileName.empty())
        return SaveOutcome::kNoFileChosen;
    const QString path = QString::fromStdString(state_.ReportFileName);
    if (QFileInfo::exists(path) &&
        dialogs_.MsgBox(QStringLiteral("File already exists -- overwrite it?"),
                        MsgStyle::YesNoQuestion,
                        QStringLiteral("Pre-existing Filename")) != kMsgYes)
        return SaveOutcome::kDeclined;
    try {
        const std::string bytes = report::BuildReport(state_, sections, when);
        report::WriteFileWhole(state_.ReportFileName, bytes);
    } catch (const report::FileOperationError& e) {
        dialogs_.MsgBox(QString::fromStdString(e.what()));
        return SaveOutcome::kFailed;
    } catch (const RunTimeException& e) {
        dialogs_.MsgBox(QStringLiteral("The report could not be written:\r") +
                        QString::fromStdString(e.Error().Description));
        return SaveOutcome::kFailed;
    }
    return SaveOutcome::kWritten;
}

}  // namespace mnemex::pages
