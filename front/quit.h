// The quit dialog.
#pragma once

int QuitFunc();
