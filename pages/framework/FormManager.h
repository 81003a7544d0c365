#pragma once
// Loads, shows and unloads the program's windows by name. Every window exists at most
// once; the program ends when the last loaded window is unloaded, or at EndProgram.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "pages/framework/Form.h"

namespace mnemex {

// Loading or showing a window under a name nobody registered: a fault of the program, not
// of its user. Debug builds stop at an assertion; release builds throw this.
class UnknownFormError : public std::logic_error {
  public:
    explicit UnknownFormError(const QString& name);
};

class FormManager : public QObject {
    Q_OBJECT
  public:
    using Factory = std::function<std::unique_ptr<Form>()>;

    // Takes over ending the program from Qt: closing the last visible window no longer
    // quits by itself, the last unload does.
    explicit FormManager(QObject* parent = nullptr);
    // Deletes the windows still loaded, and unloaded ones the event loop has not deleted yet.
    ~FormManager() override;

    // Registers how to create the window `name`.
    void Register(const QString& name, Factory factory);
    bool IsRegistered(const QString& name) const { return factories_.contains(name); }

    // Creates the window and runs its Form_Load, unless it is loaded already (then nothing
    // runs). Returns the window, or nullptr if the program has ended or the window unloaded
    // itself while loading. A name nobody registered fails loudly (see UnknownFormError).
    Form* Load(const QString& name);
    // Loads the window, makes it visible, brings it to the front and activates it; runs its
    // Form_Activate unless it already was the active window. Returns it (or nullptr).
    Form* Show(const QString& name);
    // The loaded window of that name, or nullptr.
    Form* Find(const QString& name) const;
    bool IsLoaded(const QString& name) const { return Find(name) != nullptr; }
    // Names of the loaded windows, in the order they were loaded.
    QStringList LoadedNames() const;
    // Hides and destroys the window (later, once its handlers have returned); nothing if not
    // loaded.
    void Unload(const QString& name);
    void Unload(Form* form, UnloadReason reason = UnloadReason::ByProgram);
    // Unloads every window and ends the program. The calling handler should return at once.
    void EndProgram();
    // True once the program has ended (the quit action ran).
    bool Ended() const { return ended_; }

    // `form` became the active window: runs its Form_Activate unless it was already the
    // active window of the program. Windows call it on activation; tests may call it too.
    void NotifyActivated(Form* form);
    // The window that last became active and is still loaded, or nullptr.
    Form* ActiveForm() const { return active_; }

    // What ending the program does; by default a queued QCoreApplication::quit().
    void SetQuitAction(std::function<void()> quit) { quit_ = std::move(quit); }

    // Typed Find.
    template <class T>
    T* FindAs(const QString& name) const {
        return dynamic_cast<T*>(Find(name));
    }

  signals:
    void Loaded(const QString& name);
    void Unloaded(const QString& name);
    // The program has ended: no window is left.
    void ProgramEnded();

  private:
    void Quit();

    QHash<QString, Factory> factories_;
    std::vector<QPointer<Form>> forms_;     // loaded windows, in load order
    std::vector<QPointer<Form>> unloaded_;  // unloaded, waiting for their deferred delete
    QPointer<Form> active_;
    std::function<void()> quit_;
    bool ended_ = false;
    bool ending_ = false;
};

}  // namespace mnemex
