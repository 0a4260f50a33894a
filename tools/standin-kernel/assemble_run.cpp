#include "evaluator.h"
#include "interop_writer.h"
#include "profile_text.h"
#include "runs.h"
#include "staged_input.h"
#include "text.h"

#include <algorithm>
#include <iostream>
#include <set>

namespace {

const char* const kCcppMarker = "PLIM-STANDIN-CCPP computed";

struct AssembledBlock {
    Evaluation evaluation;
    MeshRecord record;
};

std::string describe(size_t index, const StagedBlock& staged, const Evaluation& evaluation)
{
    const std::string head = "  [" + std::to_string(index) + "] ";
    if (staged.empty) return head + "empty block: empty mesh record\n";
    if (!evaluation.ok) return head + "failed: " + evaluation.error + ": empty mesh record\n";
    const Mesh& mesh = *evaluation.mesh;
    size_t triangles = 0;
    for (const auto& polygon : mesh.polygons)
        triangles += polygon.size() > 2 ? polygon.size() - 2 : 0;
    return head + kExecuteModeNames[staged.execute_mode] + ": " +
           std::to_string(mesh.positions.size()) + " vertices, " +
           std::to_string(mesh.polygons.size()) + " polygons, " + std::to_string(triangles) +
           " triangles\n";
}

std::string ccpp_account(const std::string& path)
{
    std::string contents;
    if (read_file(path, contents) && contents.rfind(kCcppMarker, 0) == 0)
        return "  ccpp: found a computed prefix in " + path + "\n";
    return "  ccpp: no computed prefix in " + path + "\n";
}

// The file faults change the file as a whole; the others one record.
std::string spoil_file(const std::vector<MeshRecord>& records, const std::set<std::string>& faults)
{
    std::vector<MeshRecord> written = records;
    if (faults.count("extra-mesh")) written.push_back(MeshRecord{});
    if (faults.count("missing-mesh") && !written.empty()) written.pop_back();
    if (faults.count("short")) return encode_int32(1) + std::string(100, '\0');
    if (faults.count("zero")) return encode_int32(0) + std::string(kHeaderBytes, '\0');
    std::string bytes = encode_interop_file(written);
    if (faults.count("truncated") && !written.empty()) {
        const size_t last = encode_mesh_record(written.back()).size();
        const size_t cut = last > kHeaderBytes ? (last - kHeaderBytes + 1) / 2 : 4;
        bytes = bytes.substr(0, bytes.size() - std::min(cut, bytes.size()));
    }
    return bytes;
}

// Evaluates one staged block into its record, adding its lines to the account.
void assemble_block(size_t index, const StagedBlock& staged, const RunRequest& request,
                    const std::string& forced_fault, AssembledBlock& block, std::string& account)
{
    const std::string head = "  [" + std::to_string(index) + "] ";
    if (!staged.empty) block.evaluation = evaluate_script(staged.logic);
    for (const std::string& message : block.evaluation.messages)
        account += head + message + "\n";
    account += describe(index, staged, block.evaluation);
    block.record.mesh = block.evaluation.ok ? block.evaluation.mesh.get() : nullptr;
    block.record.execute_mode = staged.execute_mode;
    block.record.stubs = block.evaluation.stubs;
    if (is_assembly_fault(forced_fault)) block.record.stubs.faults.push_back(forced_fault);
    if (block.record.stubs.index16 && block.record.mesh &&
        block.record.mesh->positions.size() > 65535)
        account += head + "too many vertices for 16-bit indices: written with 32-bit ones\n";
    if (request.profiling && block.evaluation.ok)
        block.record.name =
            profile_text(block.evaluation, staged.execute_mode, block.record.stubs.ppd);
}

} // namespace

int run_assemble(const RunRequest& request, RunRecord& record)
{
    std::string staged;
    if (!read_file(request.input_path, staged)) {
        std::cout << "plim: cannot read '" << request.input_path << "'\n";
        return 1;
    }
    record.bytes_read = staged.size();
    std::string problem;
    const std::vector<StagedBlock> blocks =
        split_assembly_input(normalise_line_ends(staged), problem);
    std::string account = "plim stand-in kernel: assembling " + std::to_string(blocks.size()) +
                          " block" + (blocks.size() == 1 ? "" : "s") + " from " +
                          request.input_path + (request.profiling ? " with profiling" : "") + "\n";
    if (!problem.empty()) account += "  note: " + problem + "\n";
    if (!request.ccpp_path.empty()) account += ccpp_account(request.ccpp_path);
    const std::string forced = environment_fault("assemble");
    if (!forced.empty() && !is_assembly_fault(forced))
        account += "  unknown assembly fault '" + forced + "' ignored\n";

    std::vector<AssembledBlock> assembled(blocks.size());
    std::vector<MeshRecord> records;
    std::set<std::string> faults;
    bool any_block_failed = false;
    for (size_t i = 0; i < blocks.size(); ++i) {
        assemble_block(i, blocks[i], request, forced, assembled[i], account);
        any_block_failed = any_block_failed || (!blocks[i].empty && !assembled[i].evaluation.ok);
        records.push_back(assembled[i].record);
        faults.insert(records.back().stubs.faults.begin(), records.back().stubs.faults.end());
    }
    if (faults.count("crash")) crash_run(record, account.substr(0, account.size() / 2));
    std::cout << account;
    for (const std::string& fault : faults)
        std::cout << "  fault " << fault << ": the interop output is malformed on purpose\n";
    if (faults.count("no-output")) return 0;
    const std::string bytes = spoil_file(records, faults);
    if (!write_file(request.output_path, bytes)) {
        std::cout << "plim: cannot write '" << request.output_path << "'\n";
        return 1;
    }
    std::cout << "  wrote " << bytes.size() << " bytes to " << request.output_path << "\n";
    // Like other command-line tools, a run with a block that failed to
    // evaluate ends with status 1, though every record was written.
    return any_block_failed ? 1 : 0;
}
