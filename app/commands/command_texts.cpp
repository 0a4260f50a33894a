#include "app/commands/command_texts.h"

const char* const k_critical_assembly_line = "  \t Critical Assembly-Error (NULL-RETURN)";
const char* const k_critical_reassembly_line = "  \t Critical Re-Assembly-Error (NULL RETURN)";
const char* const k_critical_parallel_reassembly_line =
    "  \t Critical Re-Assembly-Error (NULL-RETURN)";
const char* const k_skip_reassembly_line = "  \t (nothing to do - skipping re-assembly)";
const char* const k_unreadable_parse_line =
    "  \t Unreadable Kernel Parse-Output (see trace for details)";
const char* const k_workspace_not_set_line = "  \t Entity Workspace Not Set";

namespace {

std::string refer_to_trace(std::int64_t count)
{
    return ".\n\nRefer to the kernel execution trace for further details in order to identify and "
           "correct " +
           count_article(count) + " error.\n\n";
}

// `opening` names the script up to its name.
std::string syntax_error_body(const std::string& opening, const std::string& name,
                              std::int64_t count)
{
    return opening + name + "' contains " + std::to_string(count) +
           " syntactic error" + plural_ending(count) + refer_to_trace(count) +
           "Note: syntax errors are the product of parsing a malformed or grammatically invalid "
           "set "
           "of PLIM statements.\n\n";
}

// `ending` follows the script's name in the closing note.
std::string critical_body(const std::string& name, const std::string& ending)
{
    return "The input script '" + name +
           "' caused a critical runtime error to occur which forcibly terminated kernel execution "
           "prior to completion.\n\nNote: the input script '" +
           name + ending;
}

std::string runtime_error_body(const std::string& name, std::int64_t count, const std::string& kind,
                               const std::string& verb)
{
    return "The input script '" + name + "' caused " + std::to_string(count) + " runtime error" +
           plural_ending(count) + refer_to_trace(count) + "Note: " + kind +
           " errors typically indicate spatial or logical issues and/or improper use of a language "
           "feature, function or entity.\n\nNote: the input script '" +
           name + "' can not be " + verb + " until " + count_article(count) +
           " error has been resolved.";
}

std::string not_modified_note(const std::string& name)
{
    return "\n\nNote: the state of the entity '" + name + "' has not been modified.";
}

} // namespace

std::string plural_ending(std::int64_t count)
{
    return count == 1 ? "" : "s";
}

std::string count_article(std::int64_t count)
{
    return count == 1 ? "the" : "each";
}

std::string timing_line(std::int64_t milliseconds)
{
    return "  \t " + std::to_string(milliseconds) + " ms";
}

std::string syntax_error_line(std::int64_t count)
{
    return "  \t " + std::to_string(count) + " Syntax-Error" + plural_ending(count) +
           " (see trace for details)";
}

std::string assembly_error_line(std::int64_t count)
{
    return "  \t " + std::to_string(count) + " Assembly-Error" + plural_ending(count) +
           " (see trace for details)";
}

std::string reassembly_error_line(std::int64_t count)
{
    return "  \t " + std::to_string(count) + " Re-Assembly-Error" + plural_ending(count) +
           " (see trace for details)";
}

PaneText syntax_error_pane(const std::string& name, std::int64_t count)
{
    return {"Error: Syntax-Error" + plural_ending(count) + " in Script",
            syntax_error_body("The input script '", name, count) + "Note: the input script '" + name +
                "' can not be assembled until " + count_article(count) +
                " error has been resolved."};
}

PaneText element_syntax_error_pane(const std::string& name, std::int64_t count,
                                   const std::string& element_errors)
{
    PaneText pane = syntax_error_pane(name, count);
    pane.text += "\n\n" + element_errors;
    return pane;
}

PaneText reparse_syntax_error_pane(const std::string& name, std::int64_t count)
{
    return {"Error: Re-Assembly Syntax-Error" + plural_ending(count) + " in Script",
            syntax_error_body("The script '", name, count) + "Note: the script '" + name +
                "' can not be re-assembled until " + count_article(count) +
                " error has been resolved."};
}

PaneText critical_assembly_pane(const std::string& name)
{
    return {"Error: Critical Assembly Error Occurred",
            critical_body(name, "' can not be assembled until the source of the critical runtime "
                                "error has been resolved.")};
}

PaneText assembly_error_pane(const std::string& name, std::int64_t count)
{
    return {"Error: Assembly Error" + plural_ending(count) + " Occurred",
            runtime_error_body(name, count, "assembly", "assembled")};
}

PaneText critical_reassembly_pane(const std::string& name, bool parallel)
{
    if (parallel)
        return {"Error: Critical Re-Assembly Error Occurred",
                critical_body(name, "' can not be re-assembled until the source of the critical "
                                    "runtime error has been resolved.")};
    return {"Error: Critical Re-Assembly-Error Occurred",
            critical_body(name, "' can not be re-assembled until the source of the critical "
                                "runtime error has been resolved.\n\nNote: the state of the "
                                "entity '") +
                name + "' has not been modified."};
}

PaneText reassembly_error_pane(const std::string& name, std::int64_t count, bool parallel)
{
    PaneText pane{"Error: Re-Assembly Error" + plural_ending(count) + " Occurred",
                  runtime_error_body(name, count, "re-assembly", "re-assembled")};
    if (!parallel) pane.text += not_modified_note(name);
    return pane;
}

PaneText workspace_not_set_pane(const std::string& name)
{
    return {"Error: Entity Workspace Not Set",
            "The input script '" + name +
                "' can not be parsed or assembled because the entity workspace is not set.\n\n"
                "Note: scripts are staged for the kernel in the entity workspace; set a valid "
                "entity workspace and open the script again."};
}
