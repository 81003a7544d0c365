#include "Public.h"

#include <exception>

namespace mnemex::uninstall {

namespace {

const QChar kCr(13);
const QChar kQuote(34);
const QString kControlPanelHint =
    QStringLiteral("Please try using the add/remove programs option in the control panel.");

}  // namespace

QString FindFileInTree(OsServices& os, const QString& RootPath, const QString& FileName) {
    try {
        QString found;
        if (os.SearchTreeForFile(RootPath, FileName, found) == 0) {
            return {};
        }
        return found;
    } catch (const std::exception&) {
        return {};
    }
}

QString BuildCommandLine(const QString& toolPath, const QString& logFile) {
    return kQuote + toolPath + kQuote + QStringLiteral(" -n ") + kQuote + logFile + kQuote;
}

QString LogMissingMessage() {
    return QStringLiteral("The installation log file is not in the expected location.") + kCr +
           QStringLiteral("Uninstall cannot run.") + kCr + kControlPanelHint;
}

QString GaveUpMessage() {
    return QStringLiteral("A necessary executable file cannot be found.") + kCr +
           QStringLiteral("Uninstall cannot run.") + kCr + kControlPanelHint;
}

QString RunTimeErrorMessage() {
    return QStringLiteral("Error - Uninstall cannot run.") + kCr + kControlPanelHint;
}

}  // namespace mnemex::uninstall
