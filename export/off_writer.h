#pragma once

#include <cstdint>
#include <string>

#include "model/entity.h"

// Writes the visible entities as one OFF file, keyword "OFF", "COFF",
// "NOFF" or "CNOFF" by the chosen attributes. Text form: comment block,
// counts, one line per vertex (position, normal, colour as 0..255 integers),
// one line per face. Binary form ("... BINARY"): big-endian 32-bit words,
// each vertex's values interleaved (colours as 0..1 floats), each face ending
// with a colour count of 0. False when the file could not be written whole.
bool write_off(const EntityList& container, const std::string& file_name, std::int32_t topology,
               bool normals, bool colours, bool binary);
