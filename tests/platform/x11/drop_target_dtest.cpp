// The peer plays a file manager dragging two files onto the window with the
// XDND protocol: enter, position, drop, then it serves the selection.

#include "tests/platform/x11/display_fixture.h"
#include "tests/platform/x11/recording_record.h"

#include <X11/Xatom.h>

using Log = std::vector<std::string>;

class DropTarget : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        record_ = recording_record();
        register_window(&record_, 0);
        start_window(&record_);
        source_ = XCreateSimpleWindow(peer_, DefaultRootWindow(peer_), 0, 0, 1, 1, 0, 0, 0);
        g_slot_log.clear();
    }

    void TearDown() override
    {
        if (peer_ != nullptr && source_ != 0) {
            XDestroyWindow(peer_, source_);
        }
        DisplayTest::TearDown();
    }

    void send_xdnd(const char* type, long l1, long l2, long l3, long l4)
    {
        send_client_message(atom(type), static_cast<long>(source_), l1, l2, l3, l4);
        settle();
    }

    // The next event of `type` for the peer, once `settle` has delivered it.
    bool take_peer_event(int type, XEvent& event) { return XCheckTypedEvent(peer_, type, &event); }

    // Answers the window's request for the dragged data with `uri_list`.
    void serve_selection(const std::string& uri_list)
    {
        XEvent request = {};
        ASSERT_TRUE(take_peer_event(SelectionRequest, request));
        const XSelectionRequestEvent& asked = request.xselectionrequest;
        ASSERT_EQ(asked.target, atom("text/uri-list"));
        XChangeProperty(peer_, asked.requestor, asked.property, asked.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(uri_list.data()), static_cast<int>(uri_list.size()));
        XEvent notify = {};
        notify.xselection.type = SelectionNotify;
        notify.xselection.requestor = asked.requestor;
        notify.xselection.selection = asked.selection;
        notify.xselection.target = asked.target;
        notify.xselection.property = asked.property;
        notify.xselection.time = asked.time;
        XSendEvent(peer_, asked.requestor, False, NoEventMask, &notify);
        settle();
    }

    void expect_reply(const char* type, long accepted, long action)
    {
        XEvent reply = {};
        ASSERT_TRUE(take_peer_event(ClientMessage, reply)) << type;
        EXPECT_EQ(reply.xclient.message_type, atom(type));
        EXPECT_EQ(reply.xclient.data.l[0], static_cast<long>(window_));
        EXPECT_EQ(reply.xclient.data.l[1] & 1, accepted) << type;
        EXPECT_EQ(reply.xclient.data.l[type == std::string("XdndStatus") ? 4 : 2], action) << type;
    }

    WindowCallbacks record_;
    Window source_ = 0;
};

// The XdndSelection is one per server, so every transfer happens in this one
// test: parallel test processes would otherwise answer each other's requests.
TEST_F(DropTarget, DroppedFileListsArriveAsOneFileText)
{
    XSetSelectionOwner(peer_, atom("XdndSelection"), source_, CurrentTime);
    const long copy = static_cast<long>(atom("XdndActionCopy"));
    const long uri_list = static_cast<long>(atom("text/uri-list"));

    // Two files, one with a blank, the type named in the enter message.
    send_xdnd("XdndEnter", 5L << 24, uri_list, 0, 0);
    send_xdnd("XdndPosition", 0, (100L << 16) | 80, CurrentTime, copy);
    expect_reply("XdndStatus", 1, copy);
    send_xdnd("XdndDrop", 0, CurrentTime, 0, 0);
    serve_selection("file:///tmp/drop%20test/a%20b.plim\r\nfile:///tmp/c.plim\r\n");
    expect_reply("XdndFinished", 1, copy);
    EXPECT_EQ(g_slot_log, Log{"drop 0 0 file:///tmp/drop test/a b.plim\nfile:///tmp/c.plim"});

    // More than three types: the list is read from the source's property.
    g_slot_log.clear();
    const Atom types[] = {atom("text/plain"), atom("UTF8_STRING"), atom("STRING"), atom("text/uri-list")};
    XChangeProperty(peer_, source_, atom("XdndTypeList"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(types), 4);
    send_xdnd("XdndEnter", (5L << 24) | 1, static_cast<long>(types[0]), static_cast<long>(types[1]),
              static_cast<long>(types[2]));
    send_xdnd("XdndPosition", 0, 0, CurrentTime, copy);
    expect_reply("XdndStatus", 1, copy);
    send_xdnd("XdndDrop", 0, CurrentTime, 0, 0);
    serve_selection("file:///one.plim\r\n");
    expect_reply("XdndFinished", 1, copy);
    EXPECT_EQ(g_slot_log, Log{"drop 0 0 file:///one.plim"});

    // A list without a local file is refused and delivers nothing.
    g_slot_log.clear();
    send_xdnd("XdndEnter", 5L << 24, uri_list, 0, 0);
    send_xdnd("XdndDrop", 0, CurrentTime, 0, 0);
    serve_selection("http://example.invalid/a.plim\r\n");
    expect_reply("XdndFinished", 0, None);
    EXPECT_TRUE(g_slot_log.empty());
}

TEST_F(DropTarget, DragsWithoutAFileListAreRefusedAndDeliverNothing)
{
    send_xdnd("XdndEnter", 5L << 24, static_cast<long>(atom("text/plain")), 0, 0);
    send_xdnd("XdndPosition", 0, 0, CurrentTime, static_cast<long>(atom("XdndActionCopy")));
    expect_reply("XdndStatus", 0, None);
    send_xdnd("XdndDrop", 0, CurrentTime, 0, 0);
    expect_reply("XdndFinished", 0, None);
    EXPECT_TRUE(g_slot_log.empty());
}

TEST_F(DropTarget, MessagesFromAnotherSourceThanTheEnteredOneAreIgnored)
{
    send_xdnd("XdndEnter", 5L << 24, static_cast<long>(atom("text/uri-list")), 0, 0);
    send_client_message(atom("XdndDrop"), static_cast<long>(source_) + 1, 0, CurrentTime, 0, 0);
    settle();
    XEvent reply = {};
    EXPECT_FALSE(take_peer_event(ClientMessage, reply));
    EXPECT_FALSE(take_peer_event(SelectionRequest, reply));
    EXPECT_TRUE(g_slot_log.empty());
}
