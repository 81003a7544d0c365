// Shows a page with one control of each kind, for looking at the frame and the controls
// on a real screen:
//   FrameGallery design|both|width
// "design": design size; "both": too small both ways, scrolled a little; "width": too
// narrow only.

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "pages/framework/FileChooser.h"
#include "pages/framework/Fonts.h"
#include "pages/framework/LineControl.h"
#include "pages/framework/Slider.h"
#include "pages/framework/TextPanel.h"
#include "pages/framework/Twips.h"
#include "pages/framework/UpDown.h"
#include "tests/framework/TestContext.h"

namespace {

using mnemex::FontByName;
using mnemex::PlaceTwips;

class GalleryPage : public mnemex::Page {
  public:
    // As large as the setup page.
    explicit GalleryPage(mnemex::PageContext& c)
        : Page(c, QStringLiteral("Gallery"), {10860, 9900, 360, 405, 0}) {
        setWindowTitle(QStringLiteral("Frame gallery"));
        auto* title = new QLabel(
            QStringLiteral("Corlan Distributed Associative Memory Program 2003 Edition"), this);
        title->setAlignment(Qt::AlignCenter);
        title->setWordWrap(true);
        title->setFont(FontByName("Arial", 20.25, {.bold = true, .italic = true}));
        PlaceTwips(title, 1380, 0, 6972, 1332);
        auto* frame = new QGroupBox(QStringLiteral("Choose A Learning Rule"), this);
        frame->setFont(FontByName("Arial", 12, {.bold = true}));
        PlaceTwips(frame, 240, 1680, 3012, 1332);
        auto* hebb = new QRadioButton(QStringLiteral("Hebb Rule"), frame);
        hebb->setFont(FontByName("Arial", 10.5));
        hebb->setChecked(true);
        PlaceTwips(hebb, 120, 360, 1572, 495);
        auto* check =
            new QCheckBox(QStringLiteral("End After A Maximum Number Of Training Epochs"), this);
        check->setFont(FontByName("Arial", 10.5));
        check->setChecked(true);
        PlaceTwips(check, 3840, 2160, 5775, 375);
        auto* box = new QLineEdit(QStringLiteral("100"), this);
        box->setFont(FontByName("Arial", 10.5));
        PlaceTwips(box, 360, 3360, 1050, 372);
        auto* arrows = new mnemex::UpDown(this);
        arrows->SetRange(0, 50000);
        arrows->SetIncrement(10);
        arrows->SetBuddy(box);
        PlaceTwips(arrows, 1440, 3360, 240, 375);
        auto* slider = new mnemex::Slider(this);
        slider->SetRange(0, 200);
        slider->SetValue(10);
        PlaceTwips(slider, 1440, 4440, 2535, 375);
        auto* start = new QPushButton(QStringLiteral("Start Training"), this);
        start->setFont(FontByName("Arial", 12, {.bold = true}));
        PlaceTwips(start, 360, 5880, 1695, 615);
        const char* lines[] = {"Training: xor.net", "Epochs: 100", "Total SSE: 0.05",
                               "Change in SSE: -1.23E-02"};
        const QColor colours[] = {mnemex::ButtonFaceColor(), mnemex::ButtonFaceColor(),
                                  mnemex::kPureGreen, mnemex::kPureRed};
        const int tops[] = {5880, 6360, 6720, 7080};
        for (int k = 0; k < 4; ++k) {
            auto* panel = new mnemex::TextPanel(this);
            panel->setFont(FontByName("Arial", 10.5, {.bold = true}));
            panel->SetBackColor(colours[k]);
            panel->Print(QString::fromLatin1(lines[k]));
            PlaceTwips(panel, 2460, tops[k], 3420, 480);
        }
        auto* progress = new QProgressBar(this);
        progress->setValue(60);
        progress->setTextVisible(false);
        PlaceTwips(progress, 2520, 7560, 3255, 495);
        auto* line = new mnemex::LineControl(this);
        line->SetEnds(105, 8300, 10545, 8300);
        auto* drive = new mnemex::DriveList(c.services.drives, this);
        auto* folders = new mnemex::FolderList(this);
        auto* files = new mnemex::FileList(this);
        PlaceTwips(drive, 6300, 3360, 2295, 315);
        PlaceTwips(folders, 6300, 3690, 2295, 2200);
        PlaceTwips(files, 8700, 3360, 1800, 2530);
        mnemex::ChainFileLists(*drive, *folders, *files, c.services.dialogs);
        auto* exit = new QPushButton(QStringLiteral("Exit"), this);
        exit->setFont(FontByName("Arial", 12, {.bold = true, .italic = true}));
        PlaceTwips(exit, 7920, 7560, 1695, 615);
        connect(exit, &QPushButton::clicked, this, [this] { Pages().EndProgram(); });
    }
    void Form_Load() override { FrameStart(); }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TestContext t;
    t.pages.SetQuitAction([] { QCoreApplication::quit(); });
    t.pages.RegisterPage<GalleryPage>(QStringLiteral("Gallery"));
    auto* page = static_cast<mnemex::Page*>(t.pages.Show(QStringLiteral("Gallery")));
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("both");
    if (mode == QLatin1String("both")) {
        page->SetClientSizeTwips(7500, 6000);
        page->VerFormScroll()->setValue(600);
        page->HorFormScroll()->setValue(300);
    } else if (mode == QLatin1String("width")) {
        page->SetClientSizeTwips(7500, 9495);
    }
    page->move(10, 10);
    return QApplication::exec();
}
