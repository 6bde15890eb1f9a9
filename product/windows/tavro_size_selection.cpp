// The main window's part of the size selection: its two buttons open the
// dialog on the sizes page or on the design page.

#include "product/windows/size_selection_dialog.h"
#include "product/windows/tavro_window.h"

#include <QPushButton>

namespace tavro {

void TFormTavro::ConnectSizeSelection() {
    connect(Button_Vorauswahl, &QPushButton::clicked, this,
            [this] { RunCommand([this] { Button_VorauswahlClick(); }); });
    connect(Button_Bauform, &QPushButton::clicked, this,
            [this] { RunCommand([this] { Button_BauformClick(); }); });
}

void TFormTavro::Button_VorauswahlClick() {
    OpenSizeSelection(*this, false);
}

void TFormTavro::Button_BauformClick() {
    OpenSizeSelection(*this, true);
}

} // namespace tavro
