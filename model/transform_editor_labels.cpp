// The transform editor's labels (data).

#include "model/transform_editor_labels.h"

const TransformEditorLabels& transform_editor_labels()
{
    static const TransformEditorLabels labels{{
        {"\t Translation", {"X", "Y", "Z"}, {"0", "0", "0"}},
        {"\t Uniform Scale-Factor", {"XYZ"}, {"1"}},
        {"\t Non-Uniform Scale-Factor", {"X", "Y", "Z"}, {"1", "1", "1"}},
        {"\t Euler-Rotation Angles", {"X", "Y", "Z"}, {"0", "0", "0"}},
    }};
    return labels;
}
