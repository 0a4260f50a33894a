#pragma once

#include "mesh.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Evaluates one script logic into a mesh. `stub(...)` statements do not shape
// the mesh but the way it is written: they land in StubSettings.

struct StubSettings {
    bool index16 = false;    // 16-bit indices and raw index groups
    int palette = 0;         // pad the palette to at least this many colours
    bool dimension2 = false; // two values per vertex
    int extra = 0;           // kept 32-bit values after the groups
    int skip = 0;            // skipped 32-bit values after the groups
    bool labels = false;     // label ids and a label table
    std::string ppd;         // "", "short" or "junk": how to spoil the profiling text
    std::vector<std::string> faults;
};

struct Evaluation {
    bool ok = false;
    std::string error;
    std::shared_ptr<Mesh> mesh;
    StubSettings stubs;
    std::vector<std::string> messages;       // for standard output
    std::vector<std::int64_t> operation_ns;  // one per OPERATIONS statement, in order
    std::vector<std::string> function_lines; // the "#PLIM" lines of the logic
};

Evaluation evaluate_script(const std::string& logic);

// The assembly faults a `stub("fault", NAME)` statement may name.
bool is_assembly_fault(const std::string& name);
// The longest delay a stub or pragma may ask for, in milliseconds.
inline constexpr int kMaxDelayMs = 10000;
