#pragma once

// All environments of the application. The list owns the records and never
// moves them, so pointers to a record stay valid until it is erased; `order`
// gives index access in creation order.

#include <cstdint>
#include <list>
#include <vector>

#include "state/environment_record.h"

struct EnvironmentStore {
    std::int32_t count = 0;
    std::list<EnvironmentRecord> records;
    std::vector<EnvironmentRecord*> order;
};

// Constructs a record with the next id, stores it and returns the stored one.
EnvironmentRecord* add_environment_record(EnvironmentStore& store);
// False, and nothing stored, when a record with the same id is listed.
bool list_environment_record(EnvironmentStore& store, const EnvironmentRecord& record);
// Null for an index outside 0 .. count - 1.
EnvironmentRecord* environment_at(const EnvironmentStore& store, std::int32_t index);
// Erases the record at position `index`; an index outside the store does
// nothing. The other records keep their addresses.
void remove_environment_record(EnvironmentStore& store, std::int32_t index);
void destroy_environment_store(EnvironmentStore& store);
