// The global tables start-up makes: emptied first, then the built-in ones filled.
#pragma once

// The world and the global tables back to their program-start values (ResetWorldAndTables in
// core/globals.h): start-up's first step before anything is made or read.
void MakeArrays();
// The built-in tables: the jump curves, the bounce steps, the editor's object footprints and
// the item names (from Lang, so after the language is read).
void FillBuiltinTables();
