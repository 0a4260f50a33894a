#pragma once

// Enter, from the key and from the panes' ENTER buttons: the modal dispatch
// accepts or closes what is open and names what is left to do, which runs
// here, where the commands are within reach.

struct Application;

void run_enter_dispatch(Application& app);
