#include "state/environment_store.h"

#include <algorithm>

namespace {

EnvironmentRecord* append_record(EnvironmentStore& store, const EnvironmentRecord& record)
{
    EnvironmentRecord* stored = &store.records.emplace_back(record);
    store.order.push_back(stored);
    ++store.count;
    return stored;
}

} // namespace

EnvironmentRecord* add_environment_record(EnvironmentStore& store)
{
    return append_record(store, construct_environment_record());
}

bool list_environment_record(EnvironmentStore& store, const EnvironmentRecord& record)
{
    const bool listed = std::any_of(store.order.begin(), store.order.end(),
                                    [&](const EnvironmentRecord* r) { return r->id == record.id; });
    if (listed) return false;
    append_record(store, record);
    return true;
}

EnvironmentRecord* environment_at(const EnvironmentStore& store, std::int32_t index)
{
    if (index < 0 || index >= static_cast<std::int32_t>(store.order.size())) return nullptr;
    return store.order[static_cast<std::size_t>(index)];
}

void remove_environment_record(EnvironmentStore& store, std::int32_t index)
{
    EnvironmentRecord* doomed = environment_at(store, index);
    if (doomed == nullptr) return;
    doomed->marked_for_close = 1;
    for (auto it = store.records.begin(); it != store.records.end(); ++it) {
        if (it->marked_for_close) {
            store.records.erase(it);
            break;
        }
    }
    store.order.erase(store.order.begin() + index);
    --store.count;
}

void destroy_environment_store(EnvironmentStore& store)
{
    store.order.clear();
    store.records.clear();
    store.count = 0;
}
