// The peer plays a file manager dragging files onto the window with the XDND
// protocol: enter, position, drop, then it serves the selection.

#include "tests/platform/x11/display_fixture.h"

#include <X11/Xatom.h>

class DropTarget : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (IsSkipped()) return;
        start();
        // The drag source's window; it goes when the peer disconnects.
        source_ = XCreateSimpleWindow(peer_, DefaultRootWindow(peer_), 0, 0, 1, 1, 0, 0, 0);
    }

    void send_xdnd(const char* type, long l1, long l2 = 0, long l3 = 0, long l4 = 0)
    {
        send_client_message(peer_, window_, type, {long(source_), l1, l2, l3, l4});
        settle();
    }

    // Answers the window's request for the dragged data with `uri_list`.
    void serve_selection(const std::string& uri_list)
    {
        XEvent request = {};
        ASSERT_TRUE(XCheckTypedEvent(peer_, SelectionRequest, &request));
        const XSelectionRequestEvent& asked = request.xselectionrequest;
        ASSERT_EQ(asked.target, atom("text/uri-list"));
        XChangeProperty(peer_, asked.requestor, asked.property, asked.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(uri_list.data()),
                        static_cast<int>(uri_list.size()));
        XEvent notify = {};
        notify.xselection = {SelectionNotify, 0,
                             False,           nullptr,
                             asked.requestor, asked.selection,
                             asked.target,    asked.property,
                             asked.time};
        XSendEvent(peer_, asked.requestor, False, NoEventMask, &notify);
        settle();
    }

    void expect_reply(const char* type, long accepted, long action)
    {
        XEvent reply = {};
        ASSERT_TRUE(XCheckTypedEvent(peer_, ClientMessage, &reply)) << type;
        EXPECT_EQ(reply.xclient.message_type, atom(type));
        EXPECT_EQ(reply.xclient.data.l[0], long(window_));
        EXPECT_EQ(reply.xclient.data.l[1] & 1, accepted) << type;
        EXPECT_EQ(reply.xclient.data.l[type == std::string("XdndStatus") ? 4 : 2], action) << type;
    }

    Window source_ = 0;
};

// The XdndSelection is one per server, so every transfer happens in this one
// test: parallel test processes would otherwise answer each other's requests.
TEST_F(DropTarget, DroppedFileListsArriveAsOneFileTextAndOtherDragsAreRefused)
{
    XSetSelectionOwner(peer_, atom("XdndSelection"), source_, CurrentTime);
    const long copy = long(atom("XdndActionCopy"));
    const long uri_list = long(atom("text/uri-list"));
    // Two files, one with a blank, the type named in the enter message.
    send_xdnd("XdndEnter", 5L << 24, uri_list);
    send_xdnd("XdndPosition", 0, (100L << 16) | 80, CurrentTime, copy);
    expect_reply("XdndStatus", 1, copy);
    send_xdnd("XdndDrop", 0, CurrentTime);
    serve_selection("file:///tmp/drop%20test/a%20b.plim\r\nfile:///tmp/c.plim\r\n");
    expect_reply("XdndFinished", 1, copy);
    EXPECT_EQ(g_slot_log, (Log{"drop 0 0", "file:///tmp/drop test/a b.plim\nfile:///tmp/c.plim"}));
    // More than three types: the list is read from the source's property.
    g_slot_log.clear();
    const Atom types[] = {atom("text/plain"), atom("UTF8_STRING"), atom("STRING"),
                          atom("text/uri-list")};
    XChangeProperty(peer_, source_, atom("XdndTypeList"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(types), 4);
    send_xdnd("XdndEnter", (5L << 24) | 1, long(types[0]), long(types[1]), long(types[2]));
    send_xdnd("XdndPosition", 0, 0, CurrentTime, copy);
    expect_reply("XdndStatus", 1, copy);
    send_xdnd("XdndDrop", 0, CurrentTime);
    serve_selection("file:///one.plim\r\n");
    expect_reply("XdndFinished", 1, copy);
    EXPECT_EQ(g_slot_log, (Log{"drop 0 0", "file:///one.plim"}));
    // A list without a local file is refused and delivers nothing.
    g_slot_log.clear();
    send_xdnd("XdndEnter", 5L << 24, uri_list);
    send_xdnd("XdndDrop", 0, CurrentTime);
    serve_selection("http://example.invalid/a.plim\r\n");
    expect_reply("XdndFinished", 0, None);
    // A drop from another source than the entered one gets no answer.
    send_xdnd("XdndEnter", 5L << 24, uri_list);
    send_client_message(peer_, window_, "XdndDrop", {long(source_) + 1, 0, CurrentTime});
    settle();
    XEvent reply = {};
    EXPECT_FALSE(XCheckTypedEvent(peer_, ClientMessage, &reply));
    EXPECT_FALSE(XCheckTypedEvent(peer_, SelectionRequest, &reply));
    // A drag without a file list is refused.
    send_xdnd("XdndEnter", 5L << 24, long(atom("text/plain")));
    send_xdnd("XdndPosition", 0, 0, CurrentTime, copy);
    expect_reply("XdndStatus", 0, None);
    send_xdnd("XdndDrop", 0, CurrentTime);
    expect_reply("XdndFinished", 0, None);
    EXPECT_TRUE(g_slot_log.empty());
}
