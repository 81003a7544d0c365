#include "pages/framework/PageManager.h"

namespace mnemex {

PageManager::PageManager(PublicStuff& state, PlatformServices& services, QObject* parent)
    : FormManager(parent), context_{state, services, *this, runs_} {}

void PageManager::RegisterPage(const QString& name, PageFactory factory) {
    Register(name, [this, factory = std::move(factory)]() -> std::unique_ptr<Form> {
        return factory(context_);
    });
}

}  // namespace mnemex
