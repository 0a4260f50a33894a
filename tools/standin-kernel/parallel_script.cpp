#include "parallel_script.h"

#include "text.h"

#include <cctype>

namespace {

enum class LineClass { Prefix, Suffix, Source, Other };

// The key drops '#' and '_' and ignores letter case; the order of the tests
// matters ("GLOBALPOST" is a suffix although it starts with "GLOBAL").
LineClass classify_line(const std::string& line)
{
    std::string key;
    for (char c : line)
        if (c != '#' && c != '_') key += c;
    key = to_upper(key);
    auto starts = [&](const char* word) {
        return key.rfind(word, 0) == 0 && key.size() > std::string(word).size();
    };
    if (starts("PRE") || starts("CCPP") || starts("GLOBALPRE")) return LineClass::Prefix;
    if (starts("POST") || starts("VCPS") || starts("SUFFIX") || starts("GLOBALPOST") ||
        starts("GLOBALSUFFIX"))
        return LineClass::Suffix;
    if (starts("GLOBAL")) return LineClass::Prefix;
    if (starts("PLIM")) return LineClass::Source;
    return LineClass::Other;
}

// The text after the first '{' up to the line's closing "};".
std::string braced_content(const std::string& line)
{
    const size_t open = line.find('{');
    if (open == std::string::npos || line.size() < open + 3) return "";
    return trim(line.substr(open + 1, line.size() - open - 3));
}

std::string paren_content(const std::string& text)
{
    const size_t open = text.find('(');
    const size_t close = text.find(')', open == std::string::npos ? 0 : open);
    if (open == std::string::npos || close == std::string::npos) return "";
    return trim(text.substr(open + 1, close - open - 1));
}

// "2 | name" names "name" in batch 2; the prefix lies within nine characters.
std::string strip_batch_prefix(const std::string& argument)
{
    const size_t bar = argument.find('|');
    if (bar == std::string::npos || bar >= 9) return argument;
    for (size_t i = 0; i < bar; ++i)
        if (!std::isdigit(static_cast<unsigned char>(argument[i])) && argument[i] != ' ')
            return argument;
    return trim(argument.substr(bar + 1));
}

std::vector<std::string> split_invocations(const std::string& list)
{
    std::vector<std::string> parts;
    std::string part;
    int depth = 0;
    for (char c : list) {
        depth += (c == '(' || c == '[' || c == '{') - (c == ')' || c == ']' || c == '}');
        if (c == ',' && depth == 0) {
            parts.push_back(trim(part));
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(trim(part));
    std::vector<std::string> kept;
    for (const std::string& p : parts)
        if (!p.empty()) kept.push_back(p);
    return kept;
}

std::string join_logic(const std::string& prefix, const std::string& source,
                       const std::string& suffix)
{
    std::string logic = source;
    if (!prefix.empty()) logic = prefix + "\n" + logic;
    if (!suffix.empty()) logic += "\n" + suffix;
    return logic;
}

} // namespace

bool build_parallel_elements(const ScriptOutline& outline, std::vector<ParallelElement>& elements,
                             std::string& problem)
{
    std::string prefix;
    std::string suffix;
    std::vector<std::string> sources;
    std::vector<std::string> lines = outline.directives;
    lines.insert(lines.end(), outline.functions.begin(), outline.functions.end());
    for (const std::string& line : lines) {
        const LineClass kind = classify_line(line);
        if (kind == LineClass::Prefix && prefix.empty())
            prefix = braced_content(line);
        else if (kind == LineClass::Suffix && suffix.empty())
            suffix = braced_content(line);
        else if (kind == LineClass::Source)
            sources.push_back(line);
    }
    const Statement* ret = nullptr;
    for (const Statement& statement : outline.statements)
        if (statement.kind == StatementKind::ParallelReturn) ret = &statement;
    const std::vector<std::string> invocations =
        ret ? split_invocations(ret->invocations) : std::vector<std::string>{};
    if (invocations.empty()) {
        problem = "the parallel return lists no elements";
        return false;
    }
    for (const std::string& invocation : invocations) {
        ParallelElement element;
        element.name = strip_batch_prefix(paren_content(invocation));
        std::string source;
        for (const std::string& line : sources)
            if (source.empty() && paren_content(line) == element.name)
                source = braced_content(line);
        const size_t close = invocation.find(')');
        if (source.empty() && close != std::string::npos &&
            invocation.find('{', close) != std::string::npos) {
            const size_t open = invocation.find('{', close);
            source = trim(invocation.substr(open + 1, invocation.rfind('}') - open - 1));
        }
        if (source.empty()) {
            problem = "no source for element '" + element.name + "'";
            return false;
        }
        element.logic = join_logic(prefix, source, suffix);
        elements.push_back(element);
    }
    return true;
}
