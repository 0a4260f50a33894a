// Rebuilding the entity list with 1,000 entities and the parameter rows of
// an entity with 500 parameters. Rows are rebuilt on every change of the
// entity set, so each rebuild is interaction latency (target: under 20 ms).

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "state/application.h"
#include "state/current_environment.h"
#include "model/entity.h"
#include "model/text_metrics.h"
#include "panels/entity_rows.h"
#include "panels/parameter_rows.h"

namespace {

Entity make_entity(int index, const std::string& parameters)
{
    Entity entity = construct_entity();
    const std::string name = "script_" + std::to_string(index) + ".plim";
    entity.parse_report.script_path = "/workspace/" + name;
    entity.statistics_lines = {name,
                               "12,345 vertex | 6,789 polygons \t 13,578 triangles | 0.12 seconds",
                               "1.20 kb (script) | 512.00 kb (mesh) | path: \"/workspace/\""};
    entity.statistics_width = 420;
    entity.label = ": " + name;
    if (!parameters.empty()) entity.parameters = construct_parameter_set(parameters);
    return entity;
}

std::unique_ptr<Application> make_application()
{
    g_char_widths.assign(256, 7);
    g_default_line_height = 14;
    auto app = std::make_unique<Application>();
    add_first_environment(*app);
    return app;
}

void BM_RebuildEntityRows(benchmark::State& state)
{
    auto app = make_application();
    EntityList& list = *app->current_entity_list;
    for (int i = 0; i < state.range(0); ++i)
        list.entities.push_back(make_entity(i, ""));
    list.count = static_cast<std::int32_t>(list.entities.size());
    for (auto _ : state)
        rebuild_entity_rows(*app);
    benchmark::DoNotOptimize(app->lists.entities.rows.rows.size());
}
BENCHMARK(BM_RebuildEntityRows)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_RebuildParameterDetails(benchmark::State& state)
{
    auto app = make_application();
    std::string definitions;
    for (int i = 0; i < state.range(0); ++i)
        definitions += i % 2 == 0 ? "INT n" + std::to_string(i) + "(4, 0, 10, 'Count');\n"
                                  : "DBL d" + std::to_string(i) + " = 0.5;\n";
    EntityList& list = *app->current_entity_list;
    list.entities.push_back(make_entity(0, definitions));
    list.count = 1;
    rebuild_display_order(list);
    app->current_selection->selected_position = 0;
    for (auto _ : state)
        rebuild_parameter_details(*app);
    benchmark::DoNotOptimize(app->lists.parameters.parameters.size());
}
BENCHMARK(BM_RebuildParameterDetails)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace
