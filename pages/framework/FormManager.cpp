#include "pages/framework/FormManager.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>

namespace mnemex {

FormManager::FormManager(QObject* parent) : QObject(parent) {
    QGuiApplication::setQuitOnLastWindowClosed(false);
    quit_ = [] {
        // Queued, so that it also works when the program ends before the event loop runs.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
    };
}

FormManager::~FormManager() {
    // After the event loop has ended, deferred deletes would never run.
    for (auto* list : {&forms_, &unloaded_}) {
        const std::vector<QPointer<Form>> forms = *list;
        for (const QPointer<Form>& form : forms) {
            if (form != nullptr) {
                form->manager_ = nullptr;
                delete form.data();
            }
        }
    }
}

UnknownFormError::UnknownFormError(const QString& name)
    : std::logic_error("No window is registered under the name \"" + name.toStdString() + "\".") {}

void FormManager::Register(const QString& name, Factory factory) {
    factories_.insert(name, std::move(factory));
}

Form* FormManager::Load(const QString& name) {
    if (Form* loaded = Find(name)) {
        return loaded;
    }
    const auto factory = factories_.constFind(name);
    if (factory == factories_.constEnd()) {
        Q_ASSERT_X(false, "FormManager::Load",
                   qPrintable(QStringLiteral("unknown window ") + name));
        throw UnknownFormError(name);
    }
    if (ended_) {
        return nullptr;
    }
    std::unique_ptr<Form> created = (*factory)();
    if (created == nullptr) {
        return nullptr;
    }
    Form* form = created.release();
    form->manager_ = this;
    // Known as loaded before its load handler runs, so that the handler may show or
    // unload its own window.
    forms_.emplace_back(form);
    form->Form_Load();
    emit Loaded(name);
    return Find(name) == form ? form : nullptr;
}

Form* FormManager::Show(const QString& name) {
    Form* form = Load(name);
    if (form == nullptr) {
        return nullptr;
    }
    form->show();
    // The offscreen platform used by tests has no window stacking and says so on every call.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        form->raise();
    }
    form->activateWindow();
    NotifyActivated(form);
    return form;
}

Form* FormManager::Find(const QString& name) const {
    for (const QPointer<Form>& form : forms_) {
        if (form != nullptr && !form->unloading_ && form->Name() == name) {
            return form.data();
        }
    }
    return nullptr;
}

QStringList FormManager::LoadedNames() const {
    QStringList names;
    for (const QPointer<Form>& form : forms_) {
        if (form != nullptr && !form->unloading_) {
            names << form->Name();
        }
    }
    return names;
}

void FormManager::Unload(const QString& name) {
    Unload(Find(name));
}

void FormManager::Unload(Form* form, UnloadReason reason) {
    if (form == nullptr || form->unloading_ || form->manager_ != this) {
        return;
    }
    form->unloading_ = true;
    if (active_ == form) {
        active_ = nullptr;
    }
    form->Form_Unload(reason);
    forms_.erase(std::remove(forms_.begin(), forms_.end(), QPointer<Form>(form)), forms_.end());
    form->hide();
    // Its own handler may still be running (a Close button unloads its page), so the
    // window is deleted once control is back in the event loop.
    form->deleteLater();
    unloaded_.erase(std::remove(unloaded_.begin(), unloaded_.end(), nullptr), unloaded_.end());
    unloaded_.emplace_back(form);
    emit Unloaded(form->Name());
    if (LoadedNames().isEmpty() && !ending_) {
        Quit();
    }
}

void FormManager::EndProgram() {
    if (ending_) {
        return;
    }
    ending_ = true;
    const std::vector<QPointer<Form>> loaded = forms_;
    for (const QPointer<Form>& form : loaded) {
        Unload(form.data(), UnloadReason::ByEndProgram);
    }
    Quit();
}

void FormManager::NotifyActivated(Form* form) {
    if (form == nullptr || form->unloading_ || form->manager_ != this || active_ == form) {
        return;
    }
    active_ = form;
    form->Form_Activate();
}

void FormManager::Quit() {
    if (ended_) {
        return;
    }
    ended_ = true;
    emit ProgramEnded();
    if (quit_) {
        quit_();
    }
}

}  // namespace mnemex
