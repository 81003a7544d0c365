#pragma once
// What the report page's buttons do, without the page: naming, folders and saving.

#include <QString>
#include <optional>

#include "core/PublicStuff.h"
#include "pages/framework/Dialogs.h"
#include "reports/text/ReportSections.h"
#include "reports/text/ReportText.h"

namespace mnemex::pages {

enum class SaveOutcome {
    kNoFileChosen,  // ReportFileName empty: nothing happens
    kDeclined,      // the user kept the existing file
    kWritten,
    kFailed,  // a message said why; nothing on disk changed
};

class SaveResultsLogic {
  public:
    SaveResultsLogic(PublicStuff& state, Dialogs& dialogs) : state_(state), dialogs_(dialogs) {}

    // File1_Click: the clicked file in `folder` becomes the report file; returns the name
    // for FileNameLabel.
    QString ChooseListedFile(const QString& folder, const QString& name);

    // FileButton_Click: asks for a name and stores it in ReportFileName at once. Returns
    // the text for FileNameLabel, or nothing when cancelled (ReportFileName is then empty).
    std::optional<QString> NameNewFile(const QString& folder);

    // DirButton_Click: asks for a folder name and creates it inside `folder`, making it the
    // current folder. Returns the new folder for the lists, or nothing (cancelled, or a
    // message said why it could not be created).
    std::optional<QString> CreateDirectory(const QString& folder);

    // SaveFile_Click: writes the report to ReportFileName, asking before replacing a file.
    SaveOutcome Save(const report::SectionSet& sections, const report::AnalysisTime& when);

  private:
    PublicStuff& state_;
    Dialogs& dialogs_;
};

}  // namespace mnemex::pages
