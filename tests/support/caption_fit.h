#pragma once

// Test support: finds the captions of a window that do not fit the room
// their control gives them, measured with the control's own font, and the
// captions that reach out of their parent or into a neighbouring control.

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

namespace tavro::test {

/// One caption that does not fit.
struct Misfit {
    QString control; ///< object path from the window, "Panel_Geraet/LB_PAbstand"
    QString text;    ///< the caption as shown
    QString problem; ///< "needs 130 px, has 110 px", "overlaps Combo_PAbstand", ...
};

/// Every misfit among the visible controls of `window`: labels, buttons,
/// check boxes and radio buttons, tabs, combo-box items, read-only fields,
/// table and header cells, result-table cells and menu-bar items. The
/// widgets named in `backgrounds` may lie under other controls (a shadow
/// label, a picture behind texts).
std::vector<Misfit> FindMisfits(QWidget& window, const QStringList& backgrounds = {});

/// The misfits as lines of text, one per misfit, each prefixed by `where`.
QString Describe(const std::vector<Misfit>& misfits, const QString& where);

} // namespace tavro::test
