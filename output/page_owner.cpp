#include "output/page_owner.h"

#include <QStatusBar>
#include <QWidget>

namespace tavro {

const TDatenREK& PageOwner::PageRecord() const {
    static const TDatenREK none;
    return none;
}

void PageOwner::PageStatusMessage(const QString& text) {
    // The main window implements the owner and lies above this library: it
    // is reached as a widget, without its header.
    auto* window = dynamic_cast<QWidget*>(this);
    auto* bar = window != nullptr ? window->findChild<QStatusBar*>() : nullptr;
    if (bar != nullptr) bar->showMessage(text);
}

} // namespace tavro
