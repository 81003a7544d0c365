#pragma once
// The page manager of Mnemex: a FormManager whose page factories receive the context
// (program-wide state, platform services, this manager).

#include <functional>
#include <memory>

#include "pages/framework/FormManager.h"
#include "pages/framework/Page.h"
#include "pages/framework/PageContext.h"

namespace mnemex {

class PageManager : public FormManager {
    Q_OBJECT
  public:
    using PageFactory = std::function<std::unique_ptr<Page>(PageContext&)>;

    PageManager(PublicStuff& state, PlatformServices& services, QObject* parent = nullptr);

    // The context handed to every page.
    PageContext& Context() { return context_; }
    // Registers how to create the page `name` from the context.
    void RegisterPage(const QString& name, PageFactory factory);
    // Registers page class T, constructed as T(PageContext&), under `name`.
    template <class T>
    void RegisterPage(const QString& name) {
        RegisterPage(name, [](PageContext& c) { return std::make_unique<T>(c); });
    }
    // Registers page class T under its own name, T::kName.
    template <class T>
    void RegisterPage() {
        RegisterPage<T>(QString::fromLatin1(T::kName));
    }
    // The loaded page of that name, or nullptr.
    Page* FindPage(const QString& name) const { return FindAs<Page>(name); }

  private:
    FinishedRuns runs_;  // before the context, which refers to it
    PageContext context_;
};

}  // namespace mnemex
