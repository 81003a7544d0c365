#pragma once
// Network1: the introductory page. The user finds a training file, loads it with a
// double-click, sees its name and sizes, and moves on to the setup page.

#include <array>

#include "pages/framework/DriveList.h"
#include "pages/framework/FileList.h"
#include "pages/framework/FolderList.h"
#include "pages/framework/Page.h"
#include "pages/main/ControlMaker.h"

namespace mnemex::pages {

class Network1Page : public Page {
    Q_OBJECT
  public:
    static constexpr const char* kName = "Network1";
    explicit Network1Page(PageContext& context);

    void Form_Load() override;
    void File1_DblClick();
    void NextPage_Click();
    void Command2_Click();

    QLabel* Label1;
    QLabel* FileLabel;
    DriveList* Drive1;
    FolderList* Dir1;
    FileList* File1;
    std::array<QLabel*, 5> Label8;
    std::array<QLineEdit*, 4> OutputText;
    QPushButton* NextPage;
    QPushButton* Command2;
    QLabel* Label3;
};

}  // namespace mnemex::pages
