#pragma once
// A start page that only offers Exit, so that the program runs before its real pages exist.

#include "pages/framework/Page.h"

namespace mnemex {

class PlaceholderPage : public Page {
    Q_OBJECT
  public:
    explicit PlaceholderPage(PageContext& context);
    void Form_Load() override;
};

}  // namespace mnemex
