#include "app/actions/edit_callbacks.h"

#include "app/actions/export_option_callbacks.h"
#include "app/actions/numeric_fields.h"
#include "app/actions/parameter_callbacks.h"
#include "app/actions/transform_callbacks.h"

void wire_edit_callbacks(Application& app)
{
    wire_numeric_fields(app);
    wire_parameter_callbacks(app);
    wire_transform_callbacks(app);
    wire_export_option_callbacks(app);
}
