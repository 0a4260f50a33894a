#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "lumo/container.h"

namespace lumo {

// A pane of the view layout in fractions of the layout's inner rectangle.
struct PaneRect {
    double x0 = 0.0;
    double y0 = 0.0;
    double x1 = 1.0;
    double y1 = 1.0;
};

// The view of one pane: eye and target of each of the three camera modes,
// then zoom and three Euler angles, 22 numbers in a fixed layout because a
// saved layout keeps them whole. They are read and written only through the
// accessors below; `mode` is 0 to 2.
using ViewRecord = std::array<double, 22>;
constexpr int kViewRecordModes = 3;

inline std::span<double, 3> view_eye(ViewRecord& record, int mode)
{
    return std::span<double, 3>(record.data() + 6 * mode, 3);
}
inline std::span<const double, 3> view_eye(const ViewRecord& record, int mode)
{
    return std::span<const double, 3>(record.data() + 6 * mode, 3);
}
inline std::span<double, 3> view_target(ViewRecord& record, int mode)
{
    return std::span<double, 3>(record.data() + 6 * mode + 3, 3);
}
inline std::span<const double, 3> view_target(const ViewRecord& record, int mode)
{
    return std::span<const double, 3>(record.data() + 6 * mode + 3, 3);
}
inline double& view_zoom(ViewRecord& record)
{
    return record[18];
}
inline double view_zoom(const ViewRecord& record)
{
    return record[18];
}
inline std::span<double, 3> view_angles(ViewRecord& record)
{
    return std::span<double, 3>(record.data() + 19, 3);
}
inline std::span<const double, 3> view_angles(const ViewRecord& record)
{
    return std::span<const double, 3>(record.data() + 19, 3);
}

// Split orientation codes: 'X' puts the new pane to the right, 'Y' below.
enum SplitCode : int { kSplitX = 88, kSplitY = 89 };

// The pane buttons: white glyphs on a dark backing that lets little of the
// view through, so they read on a light and a dark 3-D background alike, and
// over a mesh.
constexpr std::uint32_t kPaneButtonBacking = 0xCC202020;
constexpr std::uint32_t kPaneButtonText = 0xFFFFFFFF;

// The 3-D view's pane layout. The pane model is the list of pane rectangles;
// the split history (pane, orientation, ratio per split) rebuilds it from one
// full pane, which is how a saved layout comes back. Each pane carries a
// `ViewRecord`, kept alongside the panes.
class VL : public KL {
public:
    using ViewRecord = lumo::ViewRecord;

    VL();
    ~VL() override;

    std::vector<PaneRect> panes;
    int selected_pane = 0;
    int active_pane = 0; // the pane last pressed
    std::vector<ViewRecord> pane_views;

    int split_count = 0;
    std::vector<int> split_panes;
    std::vector<int> split_orientations;
    std::vector<double> split_ratios;

    Insets insets;               // the panes cover the widget less these
    int button_size = 14;        // the split X, split Y and close buttons of a pane
    std::vector<P> pane_widgets; // one frame per pane, in widget coordinates
    std::vector<P> pane_buttons; // three per pane

    ActionFn on_split_x = nullptr;
    ActionFn on_split_y = nullptr;
    ActionFn on_close = nullptr;
    ActionFn on_repaint = nullptr;
    ActionFn on_pane_change = nullptr;

    int pane_count() const { return static_cast<int>(panes.size()); }

    void duplicate_viewport_pane_state(int pane);
    void remove_viewport_pane_state(int pane);
    // Splits a pane at the ratio: the new pane follows it in the list. With
    // `record` the split joins the history, with `rebuild` the widgets follow.
    bool split_viewport_pane(int pane, int code, double ratio, int record, int rebuild);
    // Gives a pane's area back to its neighbour of the same split; needs two
    // panes. Keeps the selected and active indices on valid panes.
    bool close_viewport_pane(int pane);
    // Stores the live view into the selected pane's record: the saved eye and
    // target of each mode, the live ones for the current mode, zoom, angles.
    void store_pane_view_state(int mode, const double eye[3], const double target[3], double zoom,
                               const double angles[3], const double saved_eye_target[3][6]);

    void layout() override;
    void draw(DrawList& list, const DrawContext& context) override;
    bool on_mouse_down(int px, int py, int button) override;

    // The pane under a point in widget coordinates, -1 none.
    int pane_at(int px, int py) const;
};

// One pane over (0,0)-(1,1), then every recorded split again.
void viewport_layout_reset(VL& view);
// Pane widgets and buttons from the pane model and the widget's size.
void viewport_layout_rebuild(VL& view);

} // namespace lumo
