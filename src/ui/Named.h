#pragma once

#include <QString>

// A control with the object name that other windows and the tests find it by.
template <typename T> T* Named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}
