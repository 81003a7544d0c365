#pragma once
// Keeps the user's hands off the program while a training run lets the screen catch up.
//
// The run hands control to the event loop now and then so that its display appears and a
// Stop press can be heard. Nothing else may act then: every mouse, key, wheel and close
// event of every window is dropped, except clicks on the one Stop button; Esc anywhere
// asks the run to stop.

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace mnemex::pages {

class RunInputGuard : public QObject {
    Q_OBJECT
  public:
    // Installs the guard on the application until it is destroyed; `stop` runs on Esc.
    RunInputGuard(QWidget* stopButton, std::function<void()> stop);
    ~RunInputGuard() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> stopButton_;
    std::function<void()> stop_;
};

}  // namespace mnemex::pages
