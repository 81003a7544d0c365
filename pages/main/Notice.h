#pragma once
// The notice line at the bottom of every main page.

#include <QString>

namespace mnemex::pages {

QString NoticeText();

}  // namespace mnemex::pages
