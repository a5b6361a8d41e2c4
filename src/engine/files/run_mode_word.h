// The run-mode word and what it selects.
#pragma once

// The run-mode word of RunPaths normalised in place, then what it selects set in
// the RunModeBlock and the UnitTable (run initialisation calls it).
void ApplyRunModeWord();
