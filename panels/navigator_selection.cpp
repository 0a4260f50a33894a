#include "panels/navigator_selection.h"

NavigatorSelection g_navigator_selection;
