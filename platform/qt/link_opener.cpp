#include "platform/qt/link_opener.h"

#include <QDesktopServices>

namespace quintara::qt {

void DesktopLinkOpener::open(const QUrl& page) {
    QDesktopServices::openUrl(page);
}

}  // namespace quintara::qt
