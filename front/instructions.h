// The three instruction pages, entered from the title menu.
#pragma once

// Space or a left click turns the page (0, 1, 2, 0); Escape returns. Returns 0.
int Instructions();
