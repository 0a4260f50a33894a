#pragma once

// Which environment is current: the Application's pointers into one record.
// Exactly one environment is current once the first one exists.

#include "state/application.h"

// The interface construction's first environment, "env0": listed in the
// store and made current. The application's own default cameras serve as
// its view state until it is first saved.
EnvironmentRecord* add_first_environment(Application& app);

// Adds a record and makes it current; the tab model is not touched.
EnvironmentRecord* create_environment(Application& app);

// Points the five current-environment pointers, and the record's list views,
// at the record.
void make_environment_current(Application& app, EnvironmentRecord& record);
