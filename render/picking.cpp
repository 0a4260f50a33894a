#include "render/picking.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::string_view PNG_SUFFIX = ".png";

} // namespace

Matrix4 multiply(const Matrix4& a, const Matrix4& b)
{
    Matrix4 out{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a[static_cast<std::size_t>(k * 4 + row)] *
                       b[static_cast<std::size_t>(column * 4 + k)];
            out[static_cast<std::size_t>(column * 4 + row)] = sum;
        }
    return out;
}

bool box_may_show(const Matrix4& clip_from_box, const std::array<double, 6>& box)
{
    // Per clip plane (x <= w, -x <= w, y, z likewise): how many corners lie
    // beyond it.
    std::array<int, 6> beyond{};
    for (int corner = 0; corner < 8; ++corner) {
        const std::array<double, 3> p{box[corner & 1 ? 3 : 0], box[corner & 2 ? 4 : 1],
                                      box[corner & 4 ? 5 : 2]};
        std::array<double, 4> clip{};
        for (std::size_t row = 0; row < 4; ++row)
            clip[row] = clip_from_box[row] * p[0] + clip_from_box[4 + row] * p[1] +
                        clip_from_box[8 + row] * p[2] + clip_from_box[12 + row];
        for (std::size_t axis = 0; axis < 3; ++axis) {
            beyond[axis * 2] += clip[axis] > clip[3] ? 1 : 0;
            beyond[axis * 2 + 1] += -clip[axis] > clip[3] ? 1 : 0;
        }
    }
    return std::none_of(beyond.begin(), beyond.end(), [](int count) { return count == 8; });
}

bool encode_pick_id(std::int64_t id, std::array<std::uint8_t, 3>& rgb)
{
    if (id < 0 || id >= PICK_NONE) return false;
    rgb = {static_cast<std::uint8_t>(id >> 16), static_cast<std::uint8_t>(id >> 8),
           static_cast<std::uint8_t>(id)};
    return true;
}

std::uint32_t decode_pick_id(const std::uint8_t* rgb)
{
    return (std::uint32_t{rgb[0]} << 16) | (std::uint32_t{rgb[1]} << 8) | rgb[2];
}

int pane_at(const RenderScene& scene, int x, int y)
{
    for (std::size_t i = 0; i < scene.panes.size(); ++i) {
        const ScenePane& p = scene.panes[i];
        if (p.width > 0 && p.height > 0 && x >= p.x && y >= p.y && x < p.x + p.width &&
            y < p.y + p.height)
            return static_cast<int>(i);
    }
    return -1;
}

Matrix4 pane_projection(const ScenePane& pane, const SceneOptions& options)
{
    const double aspect = pane.height > 0 ? static_cast<double>(pane.width) / pane.height : 1.0;
    const CameraSettings& camera = pane.camera;
    return options.perspective ? perspective_matrix(camera.field_of_view, aspect, camera.near_plane,
                                                    camera.far_plane)
                               : orthographic_matrix(camera.field_of_view, aspect,
                                                     pane.view_distance, camera.far_plane);
}

Matrix4 pixel_pick_projection(const ScenePane& pane, const SceneOptions& options, int x, int y)
{
    const float w = static_cast<float>(std::max(pane.width, 1));
    const float h = static_cast<float>(std::max(pane.height, 1));
    // The pixel's centre in normalised device coordinates (y up).
    const float cx = (static_cast<float>(x) + 0.5f) / w * 2.0f - 1.0f;
    const float cy = 1.0f - (static_cast<float>(y) + 0.5f) / h * 2.0f;
    // Moves that centre to the origin and widens one pixel to the whole view.
    const Matrix4 narrow{w, 0, 0, 0, 0, h, 0, 0, 0, 0, 1, 0, -cx * w, -cy * h, 0, 1};
    return multiply(narrow, pane_projection(pane, options));
}

bool valid_thumbnail_cell(int cell)
{
    return cell >= 0 && cell < THUMBNAIL_CELLS;
}

int environment_thumbnail_cell(std::uint32_t environment_id)
{
    if (environment_id >= THUMBNAIL_CELLS / 2) return -1;
    return THUMBNAIL_CELLS - 1 - static_cast<int>(environment_id);
}

int directive_thumbnail_cell(int directive_index)
{
    return directive_index >= 0 && directive_index < THUMBNAIL_CELLS / 2 ? directive_index : -1;
}

std::array<int, 2> thumbnail_cell_origin(int cell)
{
    return {cell % THUMBNAIL_COLUMNS * THUMBNAIL_SIZE, cell / THUMBNAIL_COLUMNS * THUMBNAIL_SIZE};
}

std::array<float, 4> thumbnail_cell_uv(int cell)
{
    const std::array<int, 2> origin = thumbnail_cell_origin(cell);
    const float size = static_cast<float>(THUMBNAIL_ATLAS_SIZE);
    const float u0 = static_cast<float>(origin[0]) / size;
    const float bottom = static_cast<float>(origin[1]) / size;
    const float top = static_cast<float>(origin[1] + THUMBNAIL_SIZE) / size;
    return {u0, top, u0 + static_cast<float>(THUMBNAIL_SIZE) / size, bottom};
}

std::string snapshot_file_name(const std::string& stamp)
{
    return "plim_snapshot_" + stamp + std::string(PNG_SUFFIX);
}

std::string screenshot_file_name(const std::string& stamp)
{
    return "plim_screenshot_" + stamp + std::string(PNG_SUFFIX);
}

void flip_rows(std::vector<std::uint8_t>& rgba, int width, int height)
{
    if (width <= 0 || height <= 1) return;
    const std::size_t row = std::size_t(width) * 4;
    if (rgba.size() < row * std::size_t(height)) return;
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(rgba.begin() + static_cast<std::ptrdiff_t>(row * std::size_t(top)),
                         rgba.begin() + static_cast<std::ptrdiff_t>(row * std::size_t(top + 1)),
                         rgba.begin() + static_cast<std::ptrdiff_t>(row * std::size_t(bottom)));
}
