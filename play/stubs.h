// The traps. They run one tick over their object list; they do nothing yet.
#pragma once

int UpdateTraps();
