#pragma once
// The spreadsheet application the summary is built in: it keeps its workbooks in
// memory while they are built and hands each one to the user when it is shown.

#include <memory>
#include <string>
#include <vector>

#include "reports/workbook/Range.h"
#include "reports/workbook/Workbook.h"

namespace mnemex::sheets {

// Settings the application keeps from one instance to the next.
struct ApplicationOptions {
    // Blank sheets in every new workbook.
    int SheetsInNewWorkbook = 1;
};

// Gives a finished workbook to the user (for example as a file opened in the desktop's
// spreadsheet program). Returns where it went; throws RunTimeException when it cannot.
class WorkbookHandOver {
  public:
    virtual ~WorkbookHandOver() = default;
    virtual std::string HandOver(std::unique_ptr<Workbook> workbook) = 0;
};

class SpreadsheetApplication {
  public:
    // A running application, invisible, with no workbook.
    SpreadsheetApplication(std::shared_ptr<ApplicationOptions> options, WorkbookHandOver& handOver);

    bool Visible() const { return visible_; }
    // Showing the application hands over every workbook that has not been shown yet;
    // workbooks shown before are left as they are. Throws when a hand-over fails.
    void SetVisible(bool visible);
    bool ScreenUpdating() const { return screenUpdating_; }
    void SetScreenUpdating(bool on);
    int SheetsInNewWorkbook() const;
    // Sets the number of blank sheets of later new workbooks (1 to 255).
    void SetSheetsInNewWorkbook(int count);

    // Workbooks.Add: a new workbook with the blank sheets the options give; it becomes active.
    Workbook& AddWorkbook();
    // The workbook being built; fails when there is none in memory.
    Workbook& ActiveWorkbook();
    Worksheet& ActiveSheet() { return ActiveWorkbook().ActiveSheet(); }
    // The cell at (row, column) of the active sheet of the active workbook.
    Range Cells(int row, int column) { return ActiveSheet().Cells(row, column); }

    // Closes the application: workbooks not yet shown are discarded. Every later call fails.
    void Quit();
    bool HasQuit() const { return quit_; }

    // Workbooks opened in this application, shown or not.
    int WorkbookCount() const { return static_cast<int>(workbooks_.size()); }
    // Where each shown workbook went; empty for those still being built.
    std::vector<std::string> Locations() const;

  private:
    void CheckRunning() const;

    struct OpenWorkbook {
        std::unique_ptr<Workbook> Book;  // null once handed over
        std::string Location;
    };
    std::shared_ptr<ApplicationOptions> options_;
    WorkbookHandOver* handOver_;
    std::vector<OpenWorkbook> workbooks_;
    int nextBookNumber_ = 1;
    bool visible_ = false;
    bool screenUpdating_ = true;
    bool quit_ = false;
};

// Where the program gets its spreadsheet application from.
class SpreadsheetHost {
  public:
    virtual ~SpreadsheetHost() = default;
    // Starts a new application instance, initially invisible. Throws when none can start.
    virtual std::shared_ptr<SpreadsheetApplication> CreateApplication() = 0;
    // The application instance that is already running. Throws when none can be reached.
    virtual std::shared_ptr<SpreadsheetApplication> RunningApplication() = 0;
};

// Applications living in this program, handing their workbooks over through `handOver`.
class LocalSpreadsheetHost : public SpreadsheetHost {
  public:
    explicit LocalSpreadsheetHost(WorkbookHandOver& handOver, int defaultSheetsInNewWorkbook = 1);
    std::shared_ptr<SpreadsheetApplication> CreateApplication() override;
    // The last application started, or a new one when it has been closed: a build after a
    // failed one (which closes the application) still gets an application.
    std::shared_ptr<SpreadsheetApplication> RunningApplication() override;

  private:
    WorkbookHandOver* handOver_;
    std::shared_ptr<ApplicationOptions> options_;
    std::shared_ptr<SpreadsheetApplication> running_;
};

}  // namespace mnemex::sheets
