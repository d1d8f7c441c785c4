// The per-stage reset and the flow from one stage to the next.
#pragma once

int ResetAll();
int GoNextStage();
