#pragma once
// The report page: choose a file and the sections, then save the text report.

#include <array>
#include <memory>
#include <optional>

#include "pages/framework/Page.h"
#include "reports/ResultDialogs.h"
#include "reports/SaveResultsLogic.h"
#include "reports/text/ReportText.h"

class QCheckBox;
class QLabel;

namespace mnemex {
class DriveList;
class FileList;
class FolderList;
}  // namespace mnemex

namespace mnemex::pages {

class SaveResultsPage : public Page {
    Q_OBJECT
  public:
    explicit SaveResultsPage(PageContext& context);
    ~SaveResultsPage() override;

    // Replaces the program's dialogs (tests answer them instead).
    void SetDialogs(ResultDialogs* dialogs);
    // Fixes the date and time the header shows (tests); otherwise the moment of saving.
    void SetAnalysisTime(report::AnalysisTime when) { fixedTime_ = std::move(when); }

    // The ticked boxes, indexed as Check1.
    report::SectionSet TickedSections() const;
    QCheckBox* Check1(int index) const { return checks_[static_cast<std::size_t>(index)]; }
    QString FileNameLabelText() const;
    // The line under the page that tells where the last report went.
    QString StatusText() const;
    FolderList* Dir1() const { return dir1_; }
    FileList* File1() const { return file1_; }

    void Form_Load() override;
    void File1_Click();
    void DirButton_Click();
    void FileButton_Click();
    SaveOutcome SaveFile_Click();
    void Command2_Click();

  private:
    void BuildControls();
    // The file name label shows `name`; its tip and the status line follow.
    void ShowChosenName(const QString& name);
    // Lists the report file's folder, with the file selected when it is there.
    void ShowReportFileInLists();

    std::unique_ptr<ResultDialogs> pageDialogs_;
    std::unique_ptr<SaveResultsLogic> logic_;
    std::optional<report::AnalysisTime> fixedTime_;
    DriveList* drive1_ = nullptr;
    FolderList* dir1_ = nullptr;
    FileList* file1_ = nullptr;
    QLabel* fileNameLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    std::array<QCheckBox*, report::kSectionCount> checks_{};
};

}  // namespace mnemex::pages
