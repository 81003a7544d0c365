#pragma once
// Saving bytes the page made under a name the user picks: the file dialog (replaceable in
// tests) and the program's one result writer, which writes a file whole or not at all.

#include <QString>
#include <QWidget>
#include <functional>
#include <string>

#include "pages/framework/Dialogs.h"

namespace mnemex::inside {

// Asks for a file name: (caption, suggested name, filter) -> the name, empty on Cancel.
using FileChooser = std::function<QString(const QString&, const QString&, const QString&)>;

// The framework's save dialog.
FileChooser SaveDialogFor(Dialogs& dialogs);

// Writes `bytes` to `path` whole (only regular files or new names). Returns empty text on
// success, else the message to show: "<what> could not be saved to:", the path and why.
// A `trainingFile` given is never written over: the message then names it.
QString SaveWhole(const QString& path, const std::string& bytes, const QString& what,
                  const std::string& trainingFile = {});

}  // namespace mnemex::inside
