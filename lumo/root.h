#pragma once

#include "lumo/container.h"

namespace lumo {

// The root of the widget tree. Its refresh runs the change callback, every
// child's refresh, then the repaint request; a resize arrives as the
// auxiliary event kAuxResize (width, height) and sizes the root first.
class UI : public KL {
public:
    UI();
    ~UI() override;

    ActionFn on_repaint = nullptr;

    void refresh() override;
    bool dispatch_aux_event(int code, int a, int b) override;
};

} // namespace lumo
