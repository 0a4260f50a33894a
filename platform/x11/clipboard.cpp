#include "platform/x11/clipboard.h"

#include "platform/x11/x11_state.h"

#include <X11/Xatom.h>

#include <cstddef>

namespace {

// The offered text; pasting programs ask for it after the copy has returned.
std::string g_clipboard_text;

Atom intern(const char* name)
{
    return XInternAtom(g_x11.display, name, False);
}

// A reply must fit one request; larger texts would need the incremental
// protocol, so they are refused rather than cut.
std::size_t largest_reply_bytes()
{
    long words = XExtendedMaxRequestSize(g_x11.display);
    if (words == 0) words = XMaxRequestSize(g_x11.display);
    return static_cast<std::size_t>(words) * 4 - 1024;
}

// Writes the answer to the requestor's property; false when the target is
// not offered.
bool answer_request(const XSelectionRequestEvent& request, Atom property)
{
    const Atom targets = intern("TARGETS");
    if (request.target == targets) {
        const Atom offered[] = {targets, g_x11.atoms.utf8_string, XA_STRING};
        XChangeProperty(g_x11.display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered), 3);
        return true;
    }
    if (request.target != g_x11.atoms.utf8_string && request.target != XA_STRING) return false;
    if (g_clipboard_text.size() > largest_reply_bytes()) return false;
    XChangeProperty(g_x11.display, request.requestor, property, request.target, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(g_clipboard_text.data()),
                    static_cast<int>(g_clipboard_text.size()));
    return true;
}

} // namespace

bool set_x11_clipboard_text(const std::string& text)
{
    if (g_x11.display == nullptr || g_x11.window == 0) return false;
    const Atom clipboard = intern("CLIPBOARD");
    XSetSelectionOwner(g_x11.display, clipboard, g_x11.window, CurrentTime);
    if (XGetSelectionOwner(g_x11.display, clipboard) != g_x11.window) return false;
    g_clipboard_text = text;
    return true;
}

void handle_selection_request(const XSelectionRequestEvent& request)
{
    // Old clients name no property; the target's name then serves as one.
    const Atom property = request.property != None ? request.property : request.target;
    const bool ours = request.selection == intern("CLIPBOARD") && request.owner == g_x11.window;
    XSelectionEvent reply = {};
    reply.type = SelectionNotify;
    reply.display = request.display;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = ours && answer_request(request, property) ? property : None;
    XSendEvent(g_x11.display, request.requestor, False, NoEventMask,
               reinterpret_cast<XEvent*>(&reply));
    XFlush(g_x11.display);
}

void handle_selection_clear(const XSelectionClearEvent& clear)
{
    if (clear.selection == intern("CLIPBOARD")) g_clipboard_text.clear();
}
