#pragma once

// The whole-frame renderer, run from the paint slot with the GL context
// current.

struct Application;

// Deletes the GL names the application queued for deletion (vertex arrays,
// vertex buffers, index buffers) and empties the three lists. Names of 0 are
// skipped; a list whose entry points are missing is only emptied.
void delete_queued_gl_names(Application& app);

// One frame: the queued deletions first, then the background in the clear
// colour, the widget tree laid out for the client area, and its draw list.
void render_frame(Application& app);
