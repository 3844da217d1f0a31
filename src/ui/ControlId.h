#pragma once

#include <QVariant>

namespace kzv {

// Tags a widget with its control id, the handle tests find it by.
template <typename W>
W* WithId(W* widget, int id) {
    widget->setProperty("controlId", id);
    return widget;
}

}  // namespace kzv
