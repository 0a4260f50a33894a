#include "profile_text.h"

#include "staged_input.h"

#include <numeric>

std::string profile_text(const Evaluation& evaluation, int execute_mode, const std::string& spoil)
{
    std::vector<std::string> lines;
    for (size_t i = 0; i < evaluation.function_lines.size(); ++i)
        lines.push_back("function " + std::to_string(i));
    for (std::int64_t ns : evaluation.operation_ns)
        lines.push_back(spoil == "junk" ? "n/a" : std::to_string(ns));
    const std::int64_t total = std::accumulate(evaluation.operation_ns.begin(),
                                               evaluation.operation_ns.end(), std::int64_t{0});
    lines.push_back("total_ns " + std::to_string(total));
    lines.push_back("operations " + std::to_string(evaluation.operation_ns.size()));
    lines.push_back("mode " + std::string(kExecuteModeNames[execute_mode]));
    if (spoil == "short") lines.resize(lines.size() > 4 ? lines.size() - 4 : 0);
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\n" : "") + lines[i];
    return text;
}
