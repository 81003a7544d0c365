#include "pages/main/Notice.h"

namespace mnemex::pages {

QString NoticeText() {
    return QStringLiteral("Mnemex " MNEMEX_VERSION
                          ". A teaching program: train a distributed associative memory and "
                          "see what it recalls.");
}

}  // namespace mnemex::pages
