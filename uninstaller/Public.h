#pragma once
// Module Public: the uninstaller's shared variables, the tree search for the removal tool, and
// the texts its pages and messages use.

#include <QString>

#include "OsServices.h"

namespace mnemex::uninstall {

// The shared variables; one instance exists for the run of the program.
struct Public {
    QString ExeName;          // the removal tool's file name, set when the Uninstall page loads
    QString LogFile;          // the uninstaller's own folder, "/", "ST6UNST.LOG"
    QString ChosenExePath;    // the tool as located on the NotFound page
    qint16 ExeFound = 0;      // 1 = the NotFound page located the tool, 0 = the user gave up
    qint16 NotFoundUsed = 0;  // 1 once the NotFound page has been loaded
};

inline const QString kToolName = QStringLiteral("ST6UNST.EXE");
inline const QString kLogName = QStringLiteral("ST6UNST.LOG");
// Where the tree search for the tool starts: the file system root.
inline const QString kSearchRoot = QStringLiteral("/");
inline const QString kPathSeparator = QStringLiteral("/");
// Title of every message box of the uninstaller.
inline const QString kProgramTitle = QStringLiteral("uninstall-Mnemex");

// The full path of a file named FileName in the tree under RootPath, or empty text when there
// is none or the search itself fails.
QString FindFileInTree(OsServices& os, const QString& RootPath, const QString& FileName);

// The command line that starts the tool on the log: both paths in double quotes, " -n " between.
QString BuildCommandLine(const QString& toolPath, const QString& logFile);

// The messages, lines joined by a carriage return.
QString LogMissingMessage();
QString GaveUpMessage();
QString RunTimeErrorMessage();

// The status lines of the Uninstall page.
inline const QString kStatusChecking = QStringLiteral("Checking for ST6UNST.LOG...");
inline const QString kStatusRunning = QStringLiteral("File found.  Running Uninstallation...");
inline const QString kStatusNotFound = QStringLiteral("File Not Found.");

}  // namespace mnemex::uninstall
