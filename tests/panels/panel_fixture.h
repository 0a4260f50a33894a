#pragma once

// The fixture of the panel tests: an application with its first environment,
// every byte 7 units wide and lines 14 units high.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "state/application.h"
#include "state/current_environment.h"
#include "model/entity.h"
#include "model/text_metrics.h"

class PanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_char_widths.assign(256, 7);
        g_default_line_height = 14;
        add_first_environment(app);
    }
    void TearDown() override
    {
        g_char_widths.clear();
        g_default_line_height = 0;
    }
    ConsoleState& console() { return *app.current_console; }
    std::vector<std::string> channel(std::int32_t k)
    {
        const auto at = static_cast<std::size_t>(k);
        return {console().channel_lines[at].begin(),
                console().channel_lines[at].begin() + console().channel_count[at]};
    }

    Entity& add_script(const std::string& path, std::uint32_t vertices)
    {
        Entity entity = construct_entity();
        entity.parse_report.script_path = path;
        entity.vertex_count = vertices;
        entity.mesh_bytes = 2048;
        entity.run_time_ms = 1500;
        app.current_entity_list->entities.push_back(entity);
        app.current_entity_list->count =
            static_cast<std::int32_t>(app.current_entity_list->entities.size());
        return app.current_entity_list->entities.back();
    }

    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
};
