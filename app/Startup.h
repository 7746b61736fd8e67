// The program's start-up function: creates the four forms in order, runs the
// message loop until the main window closes, and returns 0.
#pragma once

#include "platform/forms/Application.h"
#include "platform/services.h"

int DorvaneMain(forms::Application& app, sys::Services& services);
