#pragma once

// Callbacks of the environment tab strip. Widgets call them without context,
// so they work on g_app.

// Pointer move over the strip (strip coordinates): tracks the hovered tab
// and places the hover card over it.
bool hover_environment_tab(int x, int y, int button);
// Click on a tab: switches to the hovered environment unless it is current.
bool on_select_environment_tab();
// The hover card's close box: asks to close the hovered environment.
bool on_close_environment_tab();
// Pointer move over the hover card: the card stays, so its close box can be
// reached from the tab.
bool keep_environment_hover(int x, int y, int button);
// Pointer move that no widget took, that is anywhere but the strip and the
// card: nothing is hovered any more.
bool on_leave_environment_tabs(int x, int y, int button);
