#pragma once

// The labels of the entity inspector's transform editor, one row per part of
// the transform: the row's title, the names of its fields' axes and the
// texts its fields show for the identity transform.

#include <array>
#include <string>
#include <vector>

struct TransformEditorRow {
    std::string title;
    std::vector<std::string> axis_names;
    std::vector<std::string> default_values;
};

// Translation, uniform scale, per-axis scale, rotation: ten fields in all.
using TransformEditorLabels = std::array<TransformEditorRow, 4>;

const TransformEditorLabels& transform_editor_labels();
