#include "kernel/parallel_script.h"

#include "kernel/parallel_batches.h"
#include "kernel/script_statements.h"
#include "platform/trace.h"

#include <algorithm>
#include <optional>

namespace {

enum class DirectiveKind { GLOBAL_PREFIX, GLOBAL_SUFFIX, SOURCE_DEFINITION, IGNORED, UNKNOWN };

struct DirectiveRule {
    const char* keyword;
    std::size_t minimum_key_length;
    DirectiveKind kind;
};

// Tested in order on the line's key; every keyword needs one more character
// after it, and the longer GLOBAL... keywords come before plain GLOBAL.
const DirectiveRule k_directive_rules[] = {
    {"PRE", 4, DirectiveKind::GLOBAL_PREFIX},
    {"CCPP", 5, DirectiveKind::GLOBAL_PREFIX},
    {"GLOBALPRE", 10, DirectiveKind::GLOBAL_PREFIX},
    {"POST", 5, DirectiveKind::GLOBAL_SUFFIX},
    {"VCPS", 5, DirectiveKind::GLOBAL_SUFFIX},
    {"SUFFIX", 7, DirectiveKind::GLOBAL_SUFFIX},
    {"GLOBALPOST", 11, DirectiveKind::GLOBAL_SUFFIX},
    {"GLOBALSUFFIX", 13, DirectiveKind::GLOBAL_SUFFIX},
    {"GLOBAL", 7, DirectiveKind::GLOBAL_PREFIX},
    {"PLIM", 5, DirectiveKind::SOURCE_DEFINITION},
    {"CAMERA", 7, DirectiveKind::IGNORED},
    {"CAM", 4, DirectiveKind::IGNORED},
    {"EYELOOKAT", 10, DirectiveKind::IGNORED},
    {"EYELOOK", 8, DirectiveKind::IGNORED},
    {"VIEWPOINT", 10, DirectiveKind::IGNORED},
};

struct MessageTarget {
    bool to_trace = false;
    TextList* list = nullptr;
};

void report(const MessageTarget& target, const std::string& message)
{
    if (!target.to_trace) return;
    trace_line(message);
    if (target.list != nullptr && !target.list->empty()) target.list->front() = message;
}

// The line without '#' and '_', upper-cased: "#global_pre{" reads as GLOBALPRE.
std::string directive_key(const std::string& line)
{
    std::string key;
    for (char c : line) {
        if (c != '#' && c != '_') key.push_back(c);
    }
    return to_upper_text(key);
}

DirectiveKind classify_directive(const std::string& line)
{
    const std::string key = directive_key(line);
    for (const DirectiveRule& rule : k_directive_rules) {
        if (key.size() >= rule.minimum_key_length && key.starts_with(rule.keyword))
            return rule.kind;
    }
    return key == "PARALLEL;" ? DirectiveKind::IGNORED : DirectiveKind::UNKNOWN;
}

// Non-empty lines of a section text.
void append_lines(const std::string& section_text, TextList& lines)
{
    for (std::string& line : split_text(trim_text(section_text), '\n')) {
        if (!line.empty()) lines.push_back(std::move(line));
    }
}

// The text after the first '{' up to the closing "};" (the last two
// characters), trimmed; nothing when there is no '{' or no room after it.
std::optional<std::string> braced_content(const std::string& line)
{
    const std::size_t brace = line.find('{');
    if (brace == std::string::npos || brace + 3 > line.size()) return std::nullopt;
    return trim_text(line.substr(brace + 1, line.size() - 2 - (brace + 1)));
}

// The text between the first '(' and the first ')', trimmed; nothing when
// either is missing or the ')' comes first.
std::optional<std::string> parenthesised_text(const std::string& text)
{
    const std::size_t open = text.find('(');
    const std::size_t close = text.find(')');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return std::nullopt;
    return trim_text(text.substr(open + 1, close - open - 1));
}

struct ParallelDirectives {
    std::optional<std::string> prefix_line;
    std::optional<std::string> suffix_line;
    TextList definition_lines;
};

ParallelDirectives collect_directives(const std::string& directives_text,
                                      const std::string& functions_text,
                                      const MessageTarget& target)
{
    TextList lines;
    append_lines(directives_text, lines);
    append_lines(functions_text, lines);
    ParallelDirectives found;
    for (const std::string& line : lines) {
        switch (classify_directive(line)) {
        case DirectiveKind::GLOBAL_PREFIX:
            if (found.prefix_line)
                report(target, "ERROR: GLOBAL-PREFIX-ALREADY-DEFINED!");
            else
                found.prefix_line = line;
            break;
        case DirectiveKind::GLOBAL_SUFFIX:
            if (found.suffix_line)
                report(target, "ERROR: GLOBAL-SUFFIX-ALREADY-DEFINED!");
            else
                found.suffix_line = line;
            break;
        case DirectiveKind::SOURCE_DEFINITION:
            found.definition_lines.push_back(line);
            break;
        case DirectiveKind::IGNORED:
            break;
        case DirectiveKind::UNKNOWN:
            report(target, "ERROR: UNKNOWN-PARALLEL-TYPE : { " + line + " };");
            break;
        }
    }
    return found;
}

struct Invocation {
    std::string argument_text;
    std::string inline_source;
};

// The '{' ... '}' after the argument's ')', when both stand there.
std::string inline_source_of(const std::string& invocation)
{
    const std::size_t close = invocation.find(')');
    const std::size_t open_brace = invocation.find('{', close);
    const std::size_t close_brace = invocation.rfind('}');
    if (open_brace == std::string::npos || close_brace == std::string::npos ||
        close_brace < open_brace)
        return {};
    return trim_text(invocation.substr(open_brace + 1, close_brace - open_brace - 1));
}

// The invocation list of the one return line, or the fatal message.
std::optional<std::string> read_invocation_list(const std::string& operations_text,
                                                const MessageTarget& target)
{
    TextList lines;
    append_lines(operations_text, lines);
    if (lines.size() >= 2) {
        report(
            target,
            "ERROR-IN-PARALLEL-ASSEMBLY : GREATER-THAN-ONE TOP-LEVEL OPERATIVE SCRIPT STATEMENT!");
        return std::nullopt;
    }
    if (lines.empty()) {
        report(target, "ERROR-IN-PARALLEL-ASSEMBLY : MISSING-RETURN!");
        return std::nullopt;
    }
    const std::string& line = lines.front();
    const std::size_t open = line.find('{');
    const std::size_t close = line.rfind('}');
    if (open == std::string::npos || close == std::string::npos || close < open) {
        report(target, "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED RETURN!");
        return std::nullopt;
    }
    std::string list = trim_text(line.substr(open + 1, close - open - 1));
    if (list.empty()) {
        report(target, "ERROR-IN-PARALLEL-ASSEMBLY : EMPTY (ZERO-LENGTH) RETURN!");
        return std::nullopt;
    }
    if (list.find('(') == std::string::npos || list.find(')') == std::string::npos) {
        report(target, "ERROR-IN-PARALLEL-ASSEMBLY : MISSING SUB-ELEMENT INVOCATION IN RETURN!");
        return std::nullopt;
    }
    return list;
}

std::optional<std::vector<Invocation>> read_invocations(const std::string& operations_text,
                                                        const MessageTarget& target)
{
    const std::optional<std::string> list = read_invocation_list(operations_text, target);
    if (!list) return std::nullopt;
    std::vector<Invocation> invocations;
    for (const std::string& text : split_statements(*list, ',', true, true)) {
        std::optional<std::string> argument = parenthesised_text(text);
        if (!argument) {
            report(target, "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED SUB-ELEMENT "
                           "INVOCATIVE-REFERENCE IN RETURN!");
            return std::nullopt;
        }
        invocations.push_back({std::move(*argument), inline_source_of(text)});
    }
    return invocations;
}

// Replaces a prefix or suffix line by its content; false when malformed.
bool resolve_global_line(std::optional<std::string>& line, const char* malformed_message,
                         const MessageTarget& target)
{
    if (!line) return true;
    std::optional<std::string> content = braced_content(*line);
    if (!content) {
        report(target, malformed_message);
        return false;
    }
    line = std::move(content);
    return true;
}

// The first definition line named `name` (case counts), if any.
const std::string* find_definition(const TextList& definition_lines, const std::string& name)
{
    for (const std::string& line : definition_lines) {
        const std::optional<std::string> defined = parenthesised_text(line);
        if (defined && *defined == name) return &line;
    }
    return nullptr;
}

// The element's own source: its definition, else its inline source. Nothing
// on a malformed definition (fatal); an empty text when none resolves.
std::optional<std::string> resolve_own_source(const Invocation& invocation,
                                              const TextList& definition_lines,
                                              const MessageTarget& target)
{
    const std::string name = sub_element_name(invocation.argument_text);
    if (const std::string* definition = find_definition(definition_lines, name)) {
        std::optional<std::string> source = braced_content(*definition);
        if (!source)
            report(target,
                   "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED SUB-ELEMENT SOURCE-DEFINITION : [" +
                       name + "]");
        return source;
    }
    if (!invocation.inline_source.empty()) return invocation.inline_source;
    report(target,
           "ERROR-IN-PARALLEL-ASSEMBLY : UNABLE TO RESOLVE SUB-ELEMENT SOURCE-DEFINITION : [" +
               name + "]");
    return std::string();
}

std::string join_logic(const ParallelDirectives& globals, const std::string& own_source)
{
    if (own_source.empty()) return own_source;
    std::string logic;
    if (globals.prefix_line) logic = *globals.prefix_line + "\n";
    logic += own_source;
    if (globals.suffix_line) logic += "\n" + *globals.suffix_line;
    return logic;
}

} // namespace

ParallelElementList build_parallel_elements(const std::string& directives_text,
                                            const std::string& functions_text,
                                            const std::string& operations_text, TextList* messages)
{
    const MessageTarget target{true, messages};
    ParallelDirectives globals = collect_directives(directives_text, functions_text, target);
    const std::optional<std::vector<Invocation>> invocations =
        read_invocations(operations_text, target);
    if (!invocations ||
        !resolve_global_line(globals.prefix_line,
                             "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED GLOBAL-PREFIX!", target) ||
        !resolve_global_line(globals.suffix_line,
                             "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED GLOBAL-SUFFIX!", target))
        return {};

    ParallelElementList elements;
    for (const Invocation& invocation : *invocations) {
        const std::optional<std::string> own_source =
            resolve_own_source(invocation, globals.definition_lines, target);
        if (!own_source) return {};
        elements.push_back({invocation.argument_text, join_logic(globals, *own_source)});
    }
    return elements;
}

std::string parallel_global_prefix(const std::string& directives_text,
                                   const std::string& functions_text)
{
    const ParallelDirectives globals =
        collect_directives(directives_text, functions_text, MessageTarget{});
    if (!globals.prefix_line) return {};
    return braced_content(*globals.prefix_line).value_or(std::string());
}
