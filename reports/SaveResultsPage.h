#pragma once
// The report page: choose a file and the sections, then save the text report.

#include <array>
#include <memory>
#include <optional>

#include "pages/framework/Page.h"
#include "pages/framework/PageNames.h"
#include "reports/SaveResultsLogic.h"
#include "reports/text/ReportText.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace mnemex {
class DriveList;
class FileList;
class FolderList;
}  // namespace mnemex

namespace mnemex::pages {

class SaveResultsPage : public Page {
    Q_OBJECT
  public:
    static constexpr const char* kName = page_names::kSaveResults;
    static constexpr FrameDesign kFrame{10635, 9405, 390, 390, 0};
    explicit SaveResultsPage(PageContext& context);
    ~SaveResultsPage() override;

    // Fixes the date and time the header shows (tests); otherwise the moment of saving.
    void SetAnalysisTime(report::AnalysisTime when) { fixedTime_ = std::move(when); }

    // The ticked boxes, indexed as the report's sections.
    report::SectionSet TickedSections() const;
    // The controls, by what they are.
    QCheckBox* SectionCheckBox(int section) const {
        return checks_[static_cast<std::size_t>(section)];
    }
    QString FileNameLabelText() const;
    // The line under the page that tells where the last report went.
    QString StatusText() const;
    QLabel* TitleLabel() const { return label1_; }
    QLabel* FileNameHeading() const { return fileLabel_; }
    FolderList* FolderListBox() const { return dir1_; }
    FileList* FileListBox() const { return file1_; }
    QPushButton* SaveButton() const { return saveFile_; }
    QPushButton* CloseButton() const { return command2_; }

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

    std::unique_ptr<SaveResultsLogic> logic_;
    std::optional<report::AnalysisTime> fixedTime_;
    QLabel* label1_ = nullptr;
    DriveList* drive1_ = nullptr;
    FolderList* dir1_ = nullptr;
    FileList* file1_ = nullptr;
    QLabel* fileLabel_ = nullptr;
    QLabel* fileNameLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QPushButton* saveFile_ = nullptr;
    QPushButton* command2_ = nullptr;
    std::array<QCheckBox*, report::kSectionCount> checks_{};
};

}  // namespace mnemex::pages
