#pragma once

// Creating a control with its object name, which tests and the caption
// routines find it by.

#include <QString>
#include <QWidget>

namespace tavro {

/// A new T as a child of parent, named `name`.
template <class T> T* MakeNamed(QWidget* parent, const char* name) {
    T* w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace tavro
