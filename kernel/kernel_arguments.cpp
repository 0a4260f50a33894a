#include "kernel/kernel_arguments.h"

TextList parse_list_arguments(const std::string& input_path, const std::string& output_path)
{
    return {"-interop", "-parse", input_path, output_path, "*"};
}

TextList parse_one_arguments(const std::string& input_path, const std::string& output_path)
{
    return {"-interop", "-parse", input_path, output_path};
}

TextList assemble_arguments(const std::string& input_path, const std::string& output_path,
                            bool profiling, const std::string& ccpp_out_path)
{
    TextList arguments = {"-interop", profiling ? "-assemble-ppd" : "-assemble", input_path,
                          output_path};
    if (!ccpp_out_path.empty()) {
        arguments.push_back("-ccpp");
        arguments.push_back(ccpp_out_path);
    }
    return arguments;
}

TextList ccpp_parse_arguments(const std::string& input_path, const std::string& output_path)
{
    return {"-interop", "-parse", input_path, output_path, "-ccpp"};
}

TextList ccpp_compute_arguments(const std::string& input_path, const std::string& output_path,
                                bool profiling, std::int32_t mode)
{
    return {"-interop", profiling ? "-compute-ppd" : "-compute", input_path, output_path,
            std::to_string(mode)};
}
