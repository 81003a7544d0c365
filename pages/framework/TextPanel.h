#pragma once
// A picture box used as a text panel: lines of text printed from the top left corner
// on a coloured background, as the training display shows its progress.

#include <QColor>
#include <QStringList>
#include <QWidget>

namespace mnemex {

// The signal colours of the training display.
inline const QColor kPureGreen{0, 255, 0};
inline const QColor kPureRed{255, 0, 0};
// The system's button-face colour, the neutral background.
QColor ButtonFaceColor();

class TextPanel : public QWidget {
    Q_OBJECT
  public:
    // An empty panel in the button-face colour.
    explicit TextPanel(QWidget* parent = nullptr);

    // Removes every printed line.
    void Cls();
    // Prints one line below the lines already printed, and shows it at once.
    void Print(const QString& line);
    // The printed lines, oldest first.
    const QStringList& Lines() const { return lines_; }
    QColor BackColor() const { return back_; }
    // Changes the background colour; printed lines stay.
    void SetBackColor(const QColor& colour);
    // Whether drawings are kept when the panel is covered. The panel always keeps its
    // text; the setting is stored for pages that switch it.
    void SetAutoRedraw(bool on) { autoRedraw_ = on; }
    bool AutoRedraw() const { return autoRedraw_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void ShowNow();

    QStringList lines_;
    QColor back_;
    bool autoRedraw_ = false;
};

}  // namespace mnemex
