// Marks a program's start-up steps on the "startup" trace channel, each with the milliseconds since
// the process was created, so that a run with WARDEN_TRACE=startup shows where the start-up goes.
#pragma once

void TraceStartupStep(const char* step);
