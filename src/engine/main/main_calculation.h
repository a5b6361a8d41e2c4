// The engine's main calculation, called once per run inside the run shell's
// exception guard.
#pragma once

void MaterialEngineMain();
