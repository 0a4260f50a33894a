#include "kernel/parallel_batches.h"

#include <algorithm>
#include <map>

namespace {

constexpr std::size_t k_batch_prefix_span = 9;

struct BatchPrefix {
    bool cut = false;        // a '|' ended digits and blanks in time
    bool has_digits = false; // "|x" and " |x" are cut but carry no id
    std::int32_t value = 0;  // at most 8 digits: no overflow
    std::string rest;        // the text after the '|'
};

BatchPrefix read_batch_prefix(const std::string& text)
{
    BatchPrefix prefix;
    const std::size_t span = std::min(text.size(), k_batch_prefix_span);
    for (std::size_t i = 0; i < span; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            prefix.value = prefix.value * 10 + (c - '0');
            prefix.has_digits = true;
        } else if (c == '|') {
            prefix.cut = true;
            prefix.rest = text.substr(i + 1);
            return prefix;
        } else if (!is_blank_char(c)) {
            break;
        }
    }
    return BatchPrefix{};
}

bool takes_batch_id(const ParallelElement& element)
{
    return !element.name.empty() && element.logic.size() != 1;
}

} // namespace

std::string sub_element_name(const std::string& argument_text)
{
    const BatchPrefix prefix = read_batch_prefix(argument_text);
    return prefix.cut ? trim_text(prefix.rest) : argument_text;
}

std::vector<std::int32_t> extract_batch_prefixes(ParallelElementList& elements)
{
    std::vector<std::int32_t> ids(elements.size(), -1);
    std::vector<bool> needs_own_batch(elements.size(), false);
    std::int32_t largest_id = -1;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        ParallelElement& element = elements[i];
        if (!takes_batch_id(element)) continue;
        const BatchPrefix prefix = read_batch_prefix(element.name);
        if (prefix.cut) {
            const bool starts_blank = !prefix.rest.empty() && is_blank_char(prefix.rest.front());
            element.name = starts_blank ? trim_text(prefix.rest) : prefix.rest;
            largest_id = std::max(largest_id, prefix.value);
        }
        if (prefix.has_digits && prefix.cut)
            ids[i] = prefix.value;
        else
            needs_own_batch[i] = true;
    }
    std::int32_t next_id = largest_id + 1;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (needs_own_batch[i]) ids[i] = next_id++;
    }
    return ids;
}

std::vector<std::vector<std::int32_t>>
group_parallel_batches(const std::vector<std::int32_t>& batch_ids,
                       const std::vector<bool>& selected)
{
    if (batch_ids.empty() || batch_ids.size() != selected.size()) return {};
    std::map<std::int32_t, std::vector<std::int32_t>> by_id;
    for (std::size_t i = 0; i < batch_ids.size(); ++i) {
        if (selected[i] && batch_ids[i] != -1)
            by_id[batch_ids[i]].push_back(static_cast<std::int32_t>(i));
    }
    std::vector<std::vector<std::int32_t>> batches;
    for (auto& [id, members] : by_id)
        batches.push_back(std::move(members));
    return batches;
}
