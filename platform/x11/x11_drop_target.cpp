// The drag-and-drop target (the XDND protocol, version 5): a drag that offers
// text/uri-list is accepted as a copy; on the drop the list is fetched through
// the XdndSelection and handed to on_drop as one "file://" text at (0, 0).

#include "platform/trace.h"
#include "platform/uri_list.h"
#include "platform/window_callbacks.h"
#include "platform/x11/x11_state.h"

#include <X11/Xatom.h>

namespace {

constexpr long XDND_VERSION = 5;

struct DropSession {
    Window source = 0; // 0: no drag over the window
    bool offers_uri_list = false;
};

DropSession g_drop;

// More than three types are listed in the source's XdndTypeList property.
bool type_list_has_uri_list(Window source)
{
    return atom_list_holds(source, g_x11.atoms.xdnd_type_list, {g_x11.atoms.text_uri_list});
}

bool offers_uri_list(const XClientMessageEvent& enter)
{
    if (enter.data.l[1] & 1) {
        return type_list_has_uri_list(static_cast<Window>(enter.data.l[0]));
    }
    for (int i = 2; i <= 4; ++i) {
        if (static_cast<Atom>(enter.data.l[i]) == g_x11.atoms.text_uri_list) {
            return true;
        }
    }
    return false;
}

void send_to_source(Atom message_type, long l1, long l2, long l3, long l4)
{
    XEvent event = {};
    XClientMessageEvent& message = event.xclient;
    message.type = ClientMessage;
    message.display = g_x11.display;
    message.window = g_drop.source;
    message.message_type = message_type;
    message.format = 32;
    message.data.l[0] = static_cast<long>(g_x11.window);
    message.data.l[1] = l1;
    message.data.l[2] = l2;
    message.data.l[3] = l3;
    message.data.l[4] = l4;
    XSendEvent(g_x11.display, g_drop.source, False, NoEventMask, &event);
    XFlush(g_x11.display);
}

// An empty rectangle asks the source for a position message on every move.
void answer_position()
{
    const bool accept = g_drop.offers_uri_list;
    send_to_source(g_x11.atoms.xdnd_status, accept ? 1 : 0, 0, 0,
                   accept ? static_cast<long>(g_x11.atoms.xdnd_action_copy) : None);
}

void finish_drop(bool accepted)
{
    send_to_source(g_x11.atoms.xdnd_finished, accepted ? 1 : 0,
                   accepted ? static_cast<long>(g_x11.atoms.xdnd_action_copy) : None, 0, 0);
    g_drop = DropSession{};
}

void begin_transfer(const XClientMessageEvent& drop)
{
    if (!g_drop.offers_uri_list) {
        finish_drop(false);
        return;
    }
    const auto timestamp = static_cast<Time>(drop.data.l[2]);
    XConvertSelection(g_x11.display, g_x11.atoms.xdnd_selection, g_x11.atoms.text_uri_list,
                      g_x11.atoms.drop_property, g_x11.window, timestamp);
    XFlush(g_x11.display);
}

// The delivered list as 8-bit text; lists too large for one property (an
// incremental transfer) are refused.
bool read_dropped_list(Atom property, std::string& list)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status =
        XGetWindowProperty(g_x11.display, g_x11.window, property, 0, 1 << 24, True, AnyPropertyType,
                           &type, &format, &count, &remaining, &data);
    const bool readable = status == Success && data != nullptr && format == 8 && remaining == 0;
    if (readable) {
        list.assign(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return readable;
}

} // namespace

void announce_drop_target()
{
    const long version = XDND_VERSION;
    XChangeProperty(g_x11.display, g_x11.window, g_x11.atoms.xdnd_aware, XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&version), 1);
}

void handle_drop_message(const XClientMessageEvent& message)
{
    const auto source = static_cast<Window>(message.data.l[0]);
    if (message.message_type == g_x11.atoms.xdnd_enter) {
        g_drop.source = source;
        g_drop.offers_uri_list = offers_uri_list(message);
        return;
    }
    // Every later message must come from the drag that entered.
    if (g_drop.source == 0 || source != g_drop.source) {
        return;
    }
    if (message.message_type == g_x11.atoms.xdnd_position) {
        answer_position();
    } else if (message.message_type == g_x11.atoms.xdnd_leave) {
        g_drop = DropSession{};
    } else if (message.message_type == g_x11.atoms.xdnd_drop) {
        begin_transfer(message);
    }
}

void handle_drop_selection(const XSelectionEvent& selection)
{
    if (selection.selection != g_x11.atoms.xdnd_selection || g_drop.source == 0) {
        return;
    }
    std::string list;
    std::vector<std::string> paths;
    if (selection.property != None && read_dropped_list(selection.property, list)) {
        paths = decode_uri_list(list);
    } else {
        trace_line("DROP-IGNORED: the dropped file list could not be read.");
    }
    finish_drop(!paths.empty());
    if (!paths.empty()) {
        emit_event(&WindowCallbacks::on_drop, 0, 0, build_drop_text(paths));
    }
}
