#pragma once

#include "evaluator.h"
#include "mesh.h"

#include <cstdint>
#include <string>
#include <vector>

// The binary interop mesh file, little-endian: an int32 mesh count, then per
// mesh 36 int32 header fields and the arrays they count.

inline constexpr int kHeaderFields = 36;
inline constexpr int kHeaderBytes = kHeaderFields * 4;

struct MeshRecord {
    const Mesh* mesh = nullptr; // null writes the empty record
    std::int32_t execute_mode = 2;
    StubSettings stubs; // its faults spoil only this record
    std::string name;   // profiling text, or empty
};

std::string encode_mesh_record(const MeshRecord& record);
std::string encode_interop_file(const std::vector<MeshRecord>& records);
// The four bytes of a little-endian int32, for the file count and padding.
std::string encode_int32(std::int32_t value);
