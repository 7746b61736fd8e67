// Start Regeneration on Windows 9x: carves the console program and its PIF
// out of the image into the working directory and starts the PIF.
#pragma once

#include "platform/forms/Application.h"
#include "platform/kernel.h"

namespace media {

// The launch's only start-up record: its size and nothing else, so the
// platform picks the console window's place, size, title and show state.
extern const sys::StartupInfo LaunchStartupInfo;
// Every sector travels from the image to its file through this buffer.
extern unsigned char SectorBuffer[512];

// Failures are shown to the user in a message box; nothing is launched then.
void RunConsoleLaunch(sys::Kernel& kernel, forms::Application& app);

}  // namespace media
