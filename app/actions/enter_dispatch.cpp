#include "app/actions/enter_dispatch.h"

#include "app/commands/entity_commands.h"
#include "app/commands/export_command.h"
#include "app/commands/open_command.h"
#include "app/state/application.h"
#include "panels/file_navigator.h"
#include "shell/modal_panes.h"

void run_enter_dispatch(Application& app)
{
    switch (confirm_modal_state(app)) {
    case EnterFollowUp::ASSEMBLE:
        assemble_command(app);
        break;
    case EnterFollowUp::CONFIRM_EXPORT:
        confirm_export(app);
        break;
    case EnterFollowUp::APPLY_ENTITY_WORKSPACE:
        apply_entity_workspace(app);
        break;
    case EnterFollowUp::CONFIRM_NAVIGATOR:
        confirm_navigator_selection(app);
        break;
    case EnterFollowUp::SAVE_ENVIRONMENT_IMAGE:
    case EnterFollowUp::SAVE_SCREENSHOT:
    case EnterFollowUp::NONE:
        // Saving a captured image is wired with image capture.
        break;
    }
}
