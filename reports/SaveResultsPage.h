#pragma once
// The report page: choose a file and the sections, then save the text report.

#include <QWidget>
#include <array>
#include <memory>

#include "core/PublicStuff.h"
#include "reports/ResultDialogs.h"
#include "reports/SaveResultsLogic.h"
#include "reports/text/ReportText.h"

class QCheckBox;
class QLabel;

namespace mnemex::pages {

class DriveList;
class FileList;
class FolderList;

class SaveResultsPage : public QWidget {
    Q_OBJECT
  public:
    explicit SaveResultsPage(PublicStuff& state, QWidget* parent = nullptr);
    ~SaveResultsPage() override;

    // Replaces the on-screen dialogs (tests answer them instead).
    void SetDialogs(ResultDialogs* dialogs);
    // Fixes the date and time the header shows (tests); otherwise the moment of saving.
    void SetAnalysisTime(report::AnalysisTime when) { fixedTime_ = std::move(when); }

    // The ticked boxes, indexed as Check1.
    report::SectionSet TickedSections() const;
    QCheckBox* Check1(int index) const { return checks_[static_cast<std::size_t>(index)]; }
    QString FileNameLabelText() const;
    FolderList* Dir1() const { return dir1_; }
    FileList* File1() const { return file1_; }

    void Drive1_Change();
    void Dir1_Change();
    void File1_Click(const QString& name);
    void DirButton_Click();
    void FileButton_Click();
    SaveOutcome SaveFile_Click();
    void Command2_Click();

  private:
    void BuildControls();

    PublicStuff& state_;
    std::unique_ptr<ResultDialogs> screenDialogs_;
    std::unique_ptr<SaveResultsLogic> logic_;
    std::optional<report::AnalysisTime> fixedTime_;
    DriveList* drive1_ = nullptr;
    FolderList* dir1_ = nullptr;
    FileList* file1_ = nullptr;
    QLabel* fileNameLabel_ = nullptr;
    std::array<QCheckBox*, report::kSectionCount> checks_{};
};

}  // namespace mnemex::pages
