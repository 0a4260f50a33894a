#include "lumo/root.h"

namespace lumo {

UI::UI() = default;

UI::~UI() = default;

void UI::refresh()
{
    KL::refresh();
    if (on_repaint) on_repaint();
}

bool UI::dispatch_aux_event(int code, int a, int b)
{
    if (code == kAuxResize) {
        width = a;
        height = b;
    }
    return KL::dispatch_aux_event(code, a, b);
}

} // namespace lumo
