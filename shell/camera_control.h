#pragma once

// The camera operations the keys, the menus, the frame tick and the view
// widget call, on the application's camera state. The camera lock is
// honoured by the callers, except by the view drag, which checks it itself.

struct Application;
struct Entity;

// Zoom of the orbit controller by one step; false at the bound.
bool zoom_in_step(Application& app);
bool zoom_out_step(Application& app);

// Right button (index 2) only, while the camera is not locked: remembers the
// start pixel and camera; Ctrl or Shift held makes a free-roam drag pan.
bool begin_view_drag(Application& app, int x, int y, int button);
// The drag result from the pixel delta (delta / larger window side x 360
// degrees), marked pending and applied; false when no drag is active.
bool update_view_drag(Application& app, int x, int y, int code);
// Applies the latest drag result again (it is absolute, from the drag's
// start): Euler angles in object-orbit, a pan or a look vector otherwise.
void apply_drag_result(Application& app);
void end_view_drag(Application& app);

// Places the orbit camera from zoom and angles (object-orbit mode), then
// stores the camera state into the selected view pane when there are panes.
void push_camera_to_viewport(Application& app);
void sync_view_widget(Application& app);

void reset_camera(Application& app);
void set_view_top(Application& app);
void set_view_base(Application& app);
void set_view_left(Application& app);
void set_view_right(Application& app);
void set_view_front(Application& app);
void set_view_back(Application& app);
void switch_camera_controller(Application& app, int mode);

// Aims at the entity's centre from the current direction, far enough to see
// all of it; does not look at the camera lock.
void focus_camera_on_entity(Application& app, const Entity& entity);
// Eye and look-at of the inspected entity's camera directive `index`, after
// the entity's transform; stores the index. An index outside the list does
// nothing.
void apply_camera_directive(Application& app, int index);

// Where the orbit turns: the origin, or the centre of the environment's box
// with About-Center on.
void orbit_centre(const Application& app, double centre[3]);
