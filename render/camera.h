#pragma once

// The live camera, its saved copies and the controller state around it.
// Headless: plain numbers only, no GL.

struct CameraSettings {
    double eye[3] = {-1.0, 1.0, 3.0};
    double target[3] = {0.0, 0.0, 0.0};
    double world_up[3] = {0.0, 1.0, 0.0};
    double field_of_view = 60.0; // degrees
    double near_plane = 0.01;
    double far_plane = 1000.0;
    double forward[3] = {0.0, 0.0, -1.0}; // derived by update_camera_direction
    double right[3] = {1.0, 0.0, 0.0};
    double camera_up[3] = {0.0, 1.0, 0.0};
    double movement_speed = 0.125; // step of one forward, backward or side move
    double motion_parameter = 1.75;
    unsigned char ground_lock = 0; // set exactly in first-person mode
    double home_eye[3] = {-1.0, 1.0, 3.0};
    double home_target[3] = {0.0, 0.0, 0.0};
    double home_up[3] = {0.0, 1.0, 0.0};
};

// One saved camera: eye, target, up, field of view, near, far (numbers 0-11),
// then home eye and home target (12-17).
struct CameraSet {
    double eye[3] = {0.0, 0.0, 0.0};
    double target[3] = {0.0, 0.0, 0.0};
    double up[3] = {0.0, 1.0, 0.0};
    double field_of_view = 60.0;
    double near_plane = 0.01;
    double far_plane = 1000.0;
    double home_eye[3] = {0.0, 0.0, 0.0};
    double home_target[3] = {0.0, 0.0, 0.0};
};

// A saved set looking from eye to target with the default lens; the home pose
// equals the starting pose.
CameraSet make_camera_set(const double eye[3], const double target[3]);

enum CameraMode : int { kObjectOrbit = 0, kFreeRoam = 1, kFirstPerson = 2 };

// The controller state the application keeps beside the live camera.
struct CameraState {
    CameraSettings controller;
    double zoom = 4.0;
    double euler_degrees[3] = {30.0, 30.0, 0.0};
    int mode = kFreeRoam;
    CameraSet saved[3]; // one per controller mode
};

// A fresh CameraState: default controller with its directions derived and the
// three saved sets of the three controller modes.
CameraState make_camera_state();

// Restores the defaults of a live camera and derives its directions.
void init_view_settings(CameraSettings& camera);

// forward := normalise(target - eye); right := normalise(forward x world up);
// camera up := normalise(forward x -right); target := eye + forward.
// A degenerate pose (eye on target, or looking along world up) keeps the
// previous directions instead of producing NaNs.
void update_camera_direction(CameraSettings& camera);

// Numbers 0-11 of the set into the same places of the camera, 12-17 into its
// home eye and home target.
void copy_camera_pose(const CameraSet& source, CameraSettings& destination);

// The reverse: the first twelve numbers of the live camera and its home pose.
void store_camera_pose(const CameraSettings& source, CameraSet& destination);
