// Start-up and the top-level state machine.
#pragma once

// The whole program's main function: start-up, then the state machine until it leaves.
int _bb_main();
