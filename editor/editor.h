// The stage editor.
#pragma once

int GameEditor();
