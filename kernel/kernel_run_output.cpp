#include "kernel/kernel_run_output.h"

#include "platform/kernel_config.h"

void set_kernel_trace_texts(const std::string& kernel_output)
{
    g_kernel_output_texts = {kernel_output, std::string(), std::string(), std::string()};
}

void note_kernel_run_failure(const std::string& cause)
{
    std::string& errors = g_kernel_output_texts[3];
    errors += errors.empty() ? cause : "\n" + cause;
}
