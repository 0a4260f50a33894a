#include "panels/directive_menus.h"

#include <algorithm>

#include "state/application.h"
#include "model/directives.h"
#include "model/entity.h"

void build_camera_directive_menu(Application& app)
{
    app.directive_menus.camera_rows.clear();
    app.directive_menus.camera_points.clear();
    const Entity* entity = app.current_scene_state != nullptr
                               ? get_inspected_entity(*app.current_scene_state)
                               : nullptr;
    if (entity == nullptr) return;
    for (const std::string& line : scan_camera_directives(entity->parse_report.directives_text)) {
        app.directive_menus.camera_rows.push_back(extract_camera_directive_args(line));
        std::array<double, 6> point{};
        extract_brace_body(line, point.data());
        app.directive_menus.camera_points.push_back(point);
    }
}

void layout_directive_menu(Application& app, std::int32_t column_width)
{
    DirectiveMenus& menus = app.directive_menus;
    const std::int32_t gap = app.layout.gap;
    const bool grid = app.view_settings.directive_mode >= 2;
    const std::int32_t cell = std::max<std::int32_t>(0, (column_width - 3 * gap) / 2);
    menus.camera_row_rects.assign(menus.camera_rows.size(), DirectiveRowRect{});
    for (std::size_t i = 0; i < menus.camera_rows.size(); ++i) {
        const std::int32_t n = static_cast<std::int32_t>(i);
        DirectiveRowRect& rect = menus.camera_row_rects[i];
        if (grid) {
            rect = {gap + (n % 2) * (cell + gap), gap + (n / 2) * (cell + gap), cell, cell};
        } else {
            rect = {gap, gap + n * (app.layout.row_height + gap),
                    std::max<std::int32_t>(0, column_width - 2 * gap), app.layout.row_height};
        }
    }
}

void build_parametric_variant_menu(Application& app)
{
    app.directive_menus.variants.clear();
    if (app.current_entity_list != nullptr)
        for (const Entity& entity : app.current_entity_list->entities)
            for (const std::string& line :
                 scan_variant_directives(entity.parse_report.directives_text))
                app.directive_menus.variants.push_back({extract_variant_directive_args(line),
                                                        extract_variant_brace_body(line),
                                                        entity.id});
    app.variant_count = static_cast<std::int32_t>(app.directive_menus.variants.size());
}

std::string variant_row_text(const ParametricVariant& variant)
{
    std::string text = variant.name;
    for (std::size_t k = 0; k + 1 < variant.pairs.size(); k += 2) {
        text += k == 0 ? "  " : ", ";
        text += variant.pairs[k] + ":" + variant.pairs[k + 1];
    }
    return text;
}

void count_animation_directives(Application& app)
{
    std::int32_t count = 0;
    if (app.current_entity_list != nullptr)
        for (const Entity& entity : app.current_entity_list->entities)
            count += static_cast<std::int32_t>(
                scan_anim_directives(entity.parse_report.directives_text).size());
    app.animation_directive_count = count;
}

Entity* find_variant_entity(Application& app, const ParametricVariant& variant)
{
    if (app.current_entity_list == nullptr) return nullptr;
    for (Entity& entity : app.current_entity_list->entities)
        if (entity.id == variant.entity_id) return &entity;
    return nullptr;
}
